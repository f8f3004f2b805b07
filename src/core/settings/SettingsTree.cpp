#include "core/settings/SettingsTree.h"

#include <QStringView>

#include <utility>

bool SettingsNode::isValidKeyName(const QString& name)
{
    if (name.isEmpty() || name.size() > kMaxKeyNameLength)
        return false;
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == QLatin1Char('\\'))
            return false;
    }
    return QStringView(name).isValidUtf16();
}

QStringList SettingsNode::splitPath(const QString& path)
{
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

SettingsNode* SettingsNode::child(const QString& childName) const
{
    return childIndex_.value(fold(childName), nullptr);
}

SettingsNode* SettingsNode::addChild(const QString& childName)
{
    auto node = std::make_unique<SettingsNode>(childName);
    SettingsNode* raw = node.get();
    children_.push_back(std::move(node));
    childIndex_.insert(fold(childName), raw);
    return raw;
}

bool SettingsNode::removeChild(const QString& childName)
{
    SettingsNode* target = child(childName);
    if (!target)
        return false;
    childIndex_.remove(fold(childName));
    for (auto it = children_.begin(); it != children_.end(); ++it) {
        if (it->get() == target) {
            children_.erase(it);
            break;
        }
    }
    return true;
}

SettingsNode* SettingsNode::find(const QStringList& parts)
{
    return const_cast<SettingsNode*>(std::as_const(*this).find(parts));
}

const SettingsNode* SettingsNode::find(const QStringList& parts) const
{
    if (parts.size() > kMaxKeyDepth)
        return nullptr;
    const SettingsNode* node = this;
    for (const QString& part : parts) {
        node = node->child(part);
        if (!node)
            return nullptr;
    }
    return node;
}

SettingsNode* SettingsNode::findOrCreate(const QStringList& parts, bool* created)
{
    if (parts.size() > kMaxKeyDepth)
        return nullptr;
    for (const QString& part : parts) {
        if (!isValidKeyName(part))
            return nullptr;
    }
    SettingsNode* node = this;
    for (const QString& part : parts) {
        SettingsNode* next = node->child(part);
        if (!next) {
            next = node->addChild(part);
            if (created)
                *created = true;
        }
        node = next;
    }
    return node;
}

const SettingsValue* SettingsNode::value(const QString& valueName) const
{
    auto it = valueIndex_.constFind(fold(valueName));
    return it == valueIndex_.constEnd() ? nullptr : &values_[size_t(*it)];
}

void SettingsNode::setValue(SettingsValue v)
{
    const QString key = fold(v.name);
    auto it = valueIndex_.constFind(key);
    if (it != valueIndex_.constEnd()) {
        SettingsValue& old = values_[size_t(*it)];
        v.name = old.name;  // like the registry: the first spelling of the name stays
        old = std::move(v);
        return;
    }
    valueIndex_.insert(key, qsizetype(values_.size()));
    values_.push_back(std::move(v));
}

bool SettingsNode::removeValue(const QString& valueName)
{
    auto it = valueIndex_.constFind(fold(valueName));
    if (it == valueIndex_.constEnd())
        return false;
    values_.erase(values_.begin() + *it);
    valueIndex_.clear();
    for (size_t i = 0; i < values_.size(); ++i)
        valueIndex_.insert(fold(values_[i].name), qsizetype(i));
    return true;
}
