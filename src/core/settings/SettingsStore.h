#pragma once

// A typed, registry-like settings store: the Linux stand-in for the Windows registry.
//
// Why not QSettings: its INI files lose the value types (an integer, a string and a binary
// blob all come back as strings or guessed variants) and cannot hold a key without values,
// while the program depends on both (a 32-bit integer is not a string, a 9-byte binary style
// record is not text, RemoveFromRegistry asks whether a key has subkeys). So the store keeps
// the registry's model exactly and writes it to one readable text file of its own.
//
// Model: a tree of keys (SettingsTree.h). A key path is backslash separated
// ("\Software\korvelab\Irvata\1.0", the leading backslash is optional); lookup of key and
// value names is case-insensitive like the registry's, while the names keep the case they were
// created with. A key may exist with no values. A value is a 32-bit integer (DWORD), a binary
// blob or a string. Values keep the order in which they were first written; subkeys keep their
// creation order.
//
// File: "registry.txt", in the .reg-like text of SettingsText.h. Reading is bounded and
// defensive: a line that does not parse is skipped, a file larger than kMaxFileBytes is not
// read at all; nothing in a file can crash the reader. Saving writes a temporary file and
// renames it over the old one (WriteFileAtomically), so a failed save leaves the old file whole.
//
// The store works in memory; nothing is written until save() or flush() is called.

#include "core/settings/SettingsText.h"
#include "core/settings/SettingsTree.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class SettingsStore;

// A handle on one key, like an open registry key. It refers to the key by its path, so it
// never dangles: once the key is deleted every read fails and every write is refused.
class SettingsKey {
public:
    SettingsKey(SettingsStore& store, QString path);

    SettingsStore& store() const { return *store_; }
    // The normalized path: "\A\B" as it was asked for (the stored case may differ).
    const QString& path() const { return path_; }

    bool exists() const;
    bool valueExists(const QString& name) const;
    std::optional<SettingsValueType> valueType(const QString& name) const;

    // Reads fail (std::nullopt) when the key or the value is missing or the value has another type.
    std::optional<qint32> readInteger(const QString& name) const;
    std::optional<QByteArray> readBinary(const QString& name) const;
    std::optional<QString> readString(const QString& name) const;
    // A bool is an integer, true when not 0.
    std::optional<bool> readBool(const QString& name) const;
    // A double is an 8-byte little-endian IEEE binary value; any other size fails.
    std::optional<double> readDouble(const QString& name) const;

    // Writes fail when the key does not exist or the store is read-only. (A handle is like a
    // pointer: a const handle still writes to its store.)
    bool writeInteger(const QString& name, qint32 value) const;
    bool writeBinary(const QString& name, const QByteArray& value) const;
    bool writeString(const QString& name, const QString& value) const;
    bool writeBool(const QString& name, bool value) const;
    bool writeDouble(const QString& name, double value) const;
    bool deleteValue(const QString& name) const;

    QStringList valueNames() const;
    QStringList subkeyNames() const;
    bool hasSubkeys() const;

    // A subkey by a relative path; with create, missing keys are created.
    std::optional<SettingsKey> openSubkey(const QString& relativePath, bool create = false) const;

private:
    SettingsStore* store_;
    QString path_;
};

class SettingsStore {
public:
    enum class Access { ReadWrite, ReadOnly };

    // A file larger than this is not read (the store stays empty and load() fails).
    static constexpr qint64 kMaxFileBytes = SettingsText::kMaxBytes;
    // Limits of one key name and of the key depth, as in the registry.
    static constexpr int kMaxKeyNameLength = SettingsNode::kMaxKeyNameLength;
    static constexpr int kMaxKeyDepth = SettingsNode::kMaxKeyDepth;
    // At most this many keys and values are taken from one file.
    static constexpr qint64 kMaxEntries = SettingsText::kMaxEntries;

    // An empty store bound to no file: save() fails, everything else works.
    SettingsStore();
    // A store bound to a file, filled from it at once (a missing file is an empty store).
    explicit SettingsStore(const QString& filePath, Access access = Access::ReadWrite);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // The stores of the program, created at first use from the paths below.
    // currentUser() is HKEY_CURRENT_USER, localMachine() is HKEY_LOCAL_MACHINE (read-only).
    static SettingsStore& currentUser();
    static SettingsStore& localMachine();
    // $IRVATA_CONFIG_DIR/registry.txt, else <generic config folder>/irvata/registry.txt
    // (~/.config/irvata/registry.txt).
    static QString currentUserFilePath();
    // $IRVATA_SYSTEM_CONFIG_DIR/registry.txt, else /etc/xdg/irvata/registry.txt.
    static QString localMachineFilePath();

    const QString& filePath() const { return filePath_; }
    bool isReadOnly() const { return access_ == Access::ReadOnly; }

    // Replaces the tree with the file's content. A missing file gives an empty tree and succeeds;
    // a file that cannot be opened or is too large gives an empty tree and fails. Lines that do
    // not parse are skipped and counted.
    bool load();
    int skippedLineCount() const { return skippedLines_; }

    // Writes the whole tree to the file atomically (also when nothing changed); creates the
    // folder. Fails for a read-only store, a store without a file, or an I/O error.
    bool save();
    // save() when something changed since the last load or save; true when nothing had to be done.
    bool flush();
    bool isModified() const { return modified_; }

    // The file text of the whole tree, and the reverse (used by load and save; tests use them).
    // deserialize() replaces the tree; a text it refuses (larger than kMaxFileBytes) leaves the
    // tree empty and gives false.
    QByteArray serialize() const;
    bool deserialize(QByteArrayView text);

    // Keys. Paths are absolute from the root; "" and "\" are the root.
    bool keyExists(const QString& path) const;
    // Opens a key; with create, creates it and all missing parents (fails on a read-only store
    // or an invalid name: empty, with a control character, longer than kMaxKeyNameLength).
    std::optional<SettingsKey> openKey(const QString& path, bool create = false);
    bool createKey(const QString& path);
    // Deletes the key with all its subkeys and values. The root cannot be deleted.
    bool deleteKey(const QString& path);
    QStringList subkeyNames(const QString& path) const;
    bool hasSubkeys(const QString& path) const;

    // Values of a key.
    bool valueExists(const QString& path, const QString& name) const;
    std::optional<SettingsValueType> valueType(const QString& path, const QString& name) const;
    QStringList valueNames(const QString& path) const;
    std::optional<qint32> readInteger(const QString& path, const QString& name) const;
    std::optional<QByteArray> readBinary(const QString& path, const QString& name) const;
    std::optional<QString> readString(const QString& path, const QString& name) const;
    bool writeInteger(const QString& path, const QString& name, qint32 value);
    bool writeBinary(const QString& path, const QString& name, const QByteArray& value);
    bool writeString(const QString& path, const QString& name, const QString& value);
    bool deleteValue(const QString& path, const QString& name);

    // Removes every key and value (in memory).
    void clear();

    // "\A\B" from any spelling ("A\B", "\A\\B\"); parts are kept as written.
    static QString normalizePath(const QString& path);
    static bool isValidKeyName(const QString& name);

private:
    SettingsNode* find(const QString& path);
    const SettingsNode* find(const QString& path) const;
    SettingsNode* findOrCreate(const QString& path);
    bool write(const QString& path, const QString& name, SettingsValue value);

    QString filePath_;
    Access access_ = Access::ReadWrite;
    std::unique_ptr<SettingsNode> root_;
    bool modified_ = false;
    int skippedLines_ = 0;
};
