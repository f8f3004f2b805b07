#pragma once

// The in-memory model of the settings store: a tree of keys, each with named subkeys and
// typed values, as in the registry. Names are found without regard to case (case-folded)
// and keep the case they were created with; values keep the order in which they were first
// written, subkeys their creation order.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

enum class SettingsValueType { Integer, Binary, String };

struct SettingsValue {
    QString name;
    SettingsValueType type = SettingsValueType::Integer;
    qint32 integer = 0;
    QByteArray binary;
    QString string;
};

class SettingsNode {
public:
    // Limits of one key name, of the key depth and of one value name, as in the registry.
    static constexpr int kMaxKeyNameLength = 255;
    static constexpr int kMaxKeyDepth = 512;
    static constexpr int kMaxValueNameLength = 16383;

    // Not empty, no control character or backslash, at most kMaxKeyNameLength, valid UTF-16.
    static bool isValidKeyName(const QString& name);
    // The key names of a backslash separated path; empty parts are dropped ("\A\\B\" is A, B).
    static QStringList splitPath(const QString& path);

    SettingsNode() = default;
    explicit SettingsNode(QString name) : name_(std::move(name)) {}
    SettingsNode(const SettingsNode&) = delete;
    SettingsNode& operator=(const SettingsNode&) = delete;

    const QString& name() const { return name_; }
    const std::vector<std::unique_ptr<SettingsNode>>& children() const { return children_; }
    const std::vector<SettingsValue>& values() const { return values_; }

    SettingsNode* child(const QString& childName) const;
    SettingsNode* addChild(const QString& childName);
    bool removeChild(const QString& childName);

    // The key at the path of names below this one; null when missing or deeper than kMaxKeyDepth.
    SettingsNode* find(const QStringList& parts);
    const SettingsNode* find(const QStringList& parts) const;
    // The same, creating missing keys; null when a name is invalid or the path too deep (then
    // nothing is created). `created` is set when a key was added.
    SettingsNode* findOrCreate(const QStringList& parts, bool* created = nullptr);

    const SettingsValue* value(const QString& valueName) const;
    // Adds the value or replaces the one of that name; a replaced value keeps its first spelling.
    void setValue(SettingsValue v);
    bool removeValue(const QString& valueName);

private:
    static QString fold(const QString& name) { return name.toCaseFolded(); }

    QString name_;
    std::vector<std::unique_ptr<SettingsNode>> children_;
    QHash<QString, SettingsNode*> childIndex_;  // by case-folded name
    std::vector<SettingsValue> values_;
    QHash<QString, qsizetype> valueIndex_;  // by case-folded name
};
