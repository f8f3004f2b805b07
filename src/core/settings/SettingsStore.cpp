#include "core/settings/SettingsStore.h"

#include "core/file/AtomicFile.h"
#include "core/file/FileError.h"
#include "core/settings/SettingsText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtEndian>

#include <bit>
#include <utility>

// ---------------------------------------------------------------------------------------------
// SettingsStore

SettingsStore::SettingsStore() : root_(std::make_unique<SettingsNode>()) {}

SettingsStore::SettingsStore(const QString& filePath, Access access)
    : filePath_(filePath), access_(access), root_(std::make_unique<SettingsNode>())
{
    load();
}

SettingsStore::~SettingsStore() = default;

SettingsStore& SettingsStore::currentUser()
{
    static SettingsStore store(currentUserFilePath());
    return store;
}

SettingsStore& SettingsStore::localMachine()
{
    static SettingsStore store(localMachineFilePath(), Access::ReadOnly);
    return store;
}

QString SettingsStore::currentUserFilePath()
{
    const QString dir = qEnvironmentVariable("IRVATA_CONFIG_DIR");
    if (!dir.isEmpty())
        return QDir(dir).filePath(QStringLiteral("registry.txt"));
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/irvata/registry.txt");
}

QString SettingsStore::localMachineFilePath()
{
    const QString dir = qEnvironmentVariable("IRVATA_SYSTEM_CONFIG_DIR");
    if (!dir.isEmpty())
        return QDir(dir).filePath(QStringLiteral("registry.txt"));
    return QStringLiteral("/etc/xdg/irvata/registry.txt");
}

QString SettingsStore::normalizePath(const QString& path)
{
    return QLatin1Char('\\') + SettingsNode::splitPath(path).join(QLatin1Char('\\'));
}

bool SettingsStore::isValidKeyName(const QString& name) { return SettingsNode::isValidKeyName(name); }

void SettingsStore::clear()
{
    root_ = std::make_unique<SettingsNode>();
    modified_ = true;
}

SettingsNode* SettingsStore::find(const QString& path) { return root_->find(SettingsNode::splitPath(path)); }

const SettingsNode* SettingsStore::find(const QString& path) const
{
    return std::as_const(*root_).find(SettingsNode::splitPath(path));
}

SettingsNode* SettingsStore::findOrCreate(const QString& path)
{
    bool created = false;
    SettingsNode* node = root_->findOrCreate(SettingsNode::splitPath(path), &created);
    if (created)
        modified_ = true;
    return node;
}

// --- keys ----------------------------------------------------------------------------------

bool SettingsStore::keyExists(const QString& path) const { return find(path) != nullptr; }

std::optional<SettingsKey> SettingsStore::openKey(const QString& path, bool create)
{
    if (find(path))
        return SettingsKey(*this, normalizePath(path));
    if (!create || isReadOnly())
        return std::nullopt;
    if (!findOrCreate(path))
        return std::nullopt;
    return SettingsKey(*this, normalizePath(path));
}

bool SettingsStore::createKey(const QString& path) { return openKey(path, true).has_value(); }

bool SettingsStore::deleteKey(const QString& path)
{
    if (isReadOnly())
        return false;
    QStringList parts = SettingsNode::splitPath(path);
    if (parts.isEmpty())
        return false;
    const QString last = parts.takeLast();
    SettingsNode* parent = find(parts.join(QLatin1Char('\\')));
    if (!parent || !parent->removeChild(last))
        return false;
    modified_ = true;
    return true;
}

QStringList SettingsStore::subkeyNames(const QString& path) const
{
    QStringList names;
    if (const SettingsNode* node = find(path)) {
        for (const auto& child : node->children())
            names << child->name();
    }
    return names;
}

bool SettingsStore::hasSubkeys(const QString& path) const
{
    const SettingsNode* node = find(path);
    return node && !node->children().empty();
}

// --- values --------------------------------------------------------------------------------

bool SettingsStore::valueExists(const QString& path, const QString& name) const
{
    const SettingsNode* node = find(path);
    return node && node->value(name);
}

std::optional<SettingsValueType> SettingsStore::valueType(const QString& path, const QString& name) const
{
    const SettingsNode* node = find(path);
    const SettingsValue* v = node ? node->value(name) : nullptr;
    if (!v)
        return std::nullopt;
    return v->type;
}

QStringList SettingsStore::valueNames(const QString& path) const
{
    QStringList names;
    if (const SettingsNode* node = find(path)) {
        for (const SettingsValue& v : node->values())
            names << v.name;
    }
    return names;
}

std::optional<qint32> SettingsStore::readInteger(const QString& path, const QString& name) const
{
    const SettingsNode* node = find(path);
    const SettingsValue* v = node ? node->value(name) : nullptr;
    if (!v || v->type != SettingsValueType::Integer)
        return std::nullopt;
    return v->integer;
}

std::optional<QByteArray> SettingsStore::readBinary(const QString& path, const QString& name) const
{
    const SettingsNode* node = find(path);
    const SettingsValue* v = node ? node->value(name) : nullptr;
    if (!v || v->type != SettingsValueType::Binary)
        return std::nullopt;
    return v->binary;
}

std::optional<QString> SettingsStore::readString(const QString& path, const QString& name) const
{
    const SettingsNode* node = find(path);
    const SettingsValue* v = node ? node->value(name) : nullptr;
    if (!v || v->type != SettingsValueType::String)
        return std::nullopt;
    return v->string;
}

bool SettingsStore::write(const QString& path, const QString& name, SettingsValue value)
{
    if (isReadOnly() || name.size() > SettingsNode::kMaxValueNameLength)
        return false;
    SettingsNode* node = find(path);
    if (!node)
        return false;
    value.name = name;
    node->setValue(std::move(value));
    modified_ = true;
    return true;
}

bool SettingsStore::writeInteger(const QString& path, const QString& name, qint32 value)
{
    SettingsValue v;
    v.type = SettingsValueType::Integer;
    v.integer = value;
    return write(path, name, std::move(v));
}

bool SettingsStore::writeBinary(const QString& path, const QString& name, const QByteArray& value)
{
    SettingsValue v;
    v.type = SettingsValueType::Binary;
    v.binary = value;
    return write(path, name, std::move(v));
}

bool SettingsStore::writeString(const QString& path, const QString& name, const QString& value)
{
    SettingsValue v;
    v.type = SettingsValueType::String;
    v.string = value;
    return write(path, name, std::move(v));
}

bool SettingsStore::deleteValue(const QString& path, const QString& name)
{
    if (isReadOnly())
        return false;
    SettingsNode* node = find(path);
    if (!node || !node->removeValue(name))
        return false;
    modified_ = true;
    return true;
}

// --- the file ------------------------------------------------------------------------------

QByteArray SettingsStore::serialize() const { return SettingsText::write(*root_); }

bool SettingsStore::deserialize(QByteArrayView text)
{
    std::optional<SettingsText::Parsed> parsed = SettingsText::parse(text);
    modified_ = true;
    if (!parsed) {
        root_ = std::make_unique<SettingsNode>();
        skippedLines_ = 0;
        return false;
    }
    root_ = std::move(parsed->root);
    skippedLines_ = parsed->skippedLines;
    return true;
}

bool SettingsStore::load()
{
    root_ = std::make_unique<SettingsNode>();
    skippedLines_ = 0;
    modified_ = false;
    if (filePath_.isEmpty())
        return true;
    QFile file(filePath_);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() > kMaxFileBytes)
        return false;
    // QIODevice::read reserves the whole size asked for, so ask for what the file holds (saves
    // replace the file, so the open one does not grow), not for the limit.
    const QByteArray bytes = file.read(file.size() + 1);
    if (bytes.size() > kMaxFileBytes || file.error() != QFileDevice::NoError)
        return false;
    const bool parsed = deserialize(bytes);
    modified_ = false;
    return parsed;
}

bool SettingsStore::save()
{
    if (isReadOnly() || filePath_.isEmpty())
        return false;
    const QFileInfo info(filePath_);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    try {
        WriteFileAtomically(filePath_, serialize());
    } catch (const EFileError&) {
        return false;
    }
    modified_ = false;
    return true;
}

bool SettingsStore::flush() { return !modified_ || save(); }

// ---------------------------------------------------------------------------------------------
// SettingsKey

SettingsKey::SettingsKey(SettingsStore& store, QString path) : store_(&store), path_(std::move(path)) {}

bool SettingsKey::exists() const { return store_->keyExists(path_); }
bool SettingsKey::valueExists(const QString& name) const { return store_->valueExists(path_, name); }
std::optional<SettingsValueType> SettingsKey::valueType(const QString& name) const
{
    return store_->valueType(path_, name);
}
std::optional<qint32> SettingsKey::readInteger(const QString& name) const { return store_->readInteger(path_, name); }
std::optional<QByteArray> SettingsKey::readBinary(const QString& name) const { return store_->readBinary(path_, name); }
std::optional<QString> SettingsKey::readString(const QString& name) const { return store_->readString(path_, name); }

std::optional<bool> SettingsKey::readBool(const QString& name) const
{
    if (auto v = readInteger(name))
        return *v != 0;
    return std::nullopt;
}

std::optional<double> SettingsKey::readDouble(const QString& name) const
{
    const auto bytes = readBinary(name);
    if (!bytes || bytes->size() != 8)
        return std::nullopt;
    const quint64 bits = qFromLittleEndian<quint64>(bytes->constData());
    return std::bit_cast<double>(bits);
}

bool SettingsKey::writeInteger(const QString& name, qint32 value) const { return store_->writeInteger(path_, name, value); }
bool SettingsKey::writeBinary(const QString& name, const QByteArray& value) const
{
    return store_->writeBinary(path_, name, value);
}
bool SettingsKey::writeString(const QString& name, const QString& value) const
{
    return store_->writeString(path_, name, value);
}
bool SettingsKey::writeBool(const QString& name, bool value) const { return writeInteger(name, value ? 1 : 0); }

bool SettingsKey::writeDouble(const QString& name, double value) const
{
    QByteArray bytes(8, '\0');
    qToLittleEndian<quint64>(std::bit_cast<quint64>(value), bytes.data());
    return writeBinary(name, bytes);
}

bool SettingsKey::deleteValue(const QString& name) const { return store_->deleteValue(path_, name); }
QStringList SettingsKey::valueNames() const { return store_->valueNames(path_); }
QStringList SettingsKey::subkeyNames() const { return store_->subkeyNames(path_); }
bool SettingsKey::hasSubkeys() const { return store_->hasSubkeys(path_); }

std::optional<SettingsKey> SettingsKey::openSubkey(const QString& relativePath, bool create) const
{
    return store_->openKey(path_ + QLatin1Char('\\') + relativePath, create);
}
