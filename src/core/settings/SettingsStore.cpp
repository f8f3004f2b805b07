#include "core/settings/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QtEndian>

#include <bit>
#include <cstring>
#include <utility>
#include <vector>

// ---------------------------------------------------------------------------------------------
// The tree

struct SettingsStore::Value {
    QString name;
    SettingsValueType type = SettingsValueType::Integer;
    qint32 integer = 0;
    QByteArray binary;
    QString string;
};

struct SettingsStore::Node {
    QString name;
    std::vector<std::unique_ptr<Node>> children;
    QHash<QString, Node*> childIndex;  // by case-folded name
    std::vector<Value> values;
    QHash<QString, qsizetype> valueIndex;  // by case-folded name

    static QString fold(const QString& name) { return name.toCaseFolded(); }

    Node* child(const QString& childName) const { return childIndex.value(fold(childName), nullptr); }

    Node* addChild(const QString& childName)
    {
        auto node = std::make_unique<Node>();
        node->name = childName;
        Node* raw = node.get();
        children.push_back(std::move(node));
        childIndex.insert(fold(childName), raw);
        return raw;
    }

    bool removeChild(const QString& childName)
    {
        Node* target = child(childName);
        if (!target)
            return false;
        childIndex.remove(fold(childName));
        for (auto it = children.begin(); it != children.end(); ++it) {
            if (it->get() == target) {
                children.erase(it);
                break;
            }
        }
        return true;
    }

    const Value* value(const QString& valueName) const
    {
        auto it = valueIndex.constFind(fold(valueName));
        return it == valueIndex.constEnd() ? nullptr : &values[size_t(*it)];
    }

    void setValue(Value v)
    {
        const QString key = fold(v.name);
        auto it = valueIndex.constFind(key);
        if (it != valueIndex.constEnd()) {
            Value& old = values[size_t(*it)];
            v.name = old.name;  // like the registry: the first spelling of the name stays
            old = std::move(v);
            return;
        }
        valueIndex.insert(key, qsizetype(values.size()));
        values.push_back(std::move(v));
    }

    bool removeValue(const QString& valueName)
    {
        auto it = valueIndex.constFind(fold(valueName));
        if (it == valueIndex.constEnd())
            return false;
        values.erase(values.begin() + *it);
        valueIndex.clear();
        for (size_t i = 0; i < values.size(); ++i)
            valueIndex.insert(fold(values[i].name), qsizetype(i));
        return true;
    }
};

namespace {

constexpr int kMaxValueNameLength = 16383;

QStringList splitPath(const QString& path)
{
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

// --- text escaping --------------------------------------------------------------------------

void appendUnicodeEscape(QString& out, char16_t code)
{
    out += QStringLiteral("\\u%1").arg(uint(code), 4, 16, QLatin1Char('0'));
}

QString quote(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        if (u == u'\\') {
            out += QLatin1String("\\\\");
        } else if (u == u'"') {
            out += QLatin1String("\\\"");
        } else if (u == u'\n') {
            out += QLatin1String("\\n");
        } else if (u == u'\r') {
            out += QLatin1String("\\r");
        } else if (u == u'\t') {
            out += QLatin1String("\\t");
        } else if (u < 0x20 || u == 0x7F || u == 0xFEFF || u == 0xFFFE || u == 0xFFFF) {
            appendUnicodeEscape(out, u);
        } else if (c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[i + 1];
            ++i;
        } else if (c.isSurrogate()) {
            appendUnicodeEscape(out, u);  // an unpaired half cannot go through UTF-8
        } else {
            out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Reads a quoted text starting at line[pos] == '"'. On success stores the text and the position
// after the closing quote.
bool unquote(const QString& line, qsizetype pos, QString& text, qsizetype& end)
{
    const qsizetype n = line.size();
    if (pos >= n || line[pos] != QLatin1Char('"'))
        return false;
    text.clear();
    for (qsizetype i = pos + 1; i < n; ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('"')) {
            end = i + 1;
            return true;
        }
        if (c != QLatin1Char('\\')) {
            text += c;
            continue;
        }
        if (++i >= n)
            return false;
        switch (line[i].unicode()) {
        case u'\\': text += QLatin1Char('\\'); break;
        case u'"': text += QLatin1Char('"'); break;
        case u'n': text += QLatin1Char('\n'); break;
        case u'r': text += QLatin1Char('\r'); break;
        case u't': text += QLatin1Char('\t'); break;
        case u'u': {
            if (i + 4 >= n)
                return false;
            uint code = 0;
            for (int k = 1; k <= 4; ++k) {
                const int d = hexDigit(line[i + k]);
                if (d < 0)
                    return false;
                code = code * 16 + uint(d);
            }
            text += QChar(char16_t(code));
            i += 4;
            break;
        }
        default:
            return false;
        }
    }
    return false;  // no closing quote
}

std::optional<qint32> parseDword(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 8)
        return std::nullopt;
    quint32 v = 0;
    for (QChar c : digits) {
        const int d = hexDigit(c);
        if (d < 0)
            return std::nullopt;
        v = v * 16 + quint32(d);
    }
    return qint32(v);
}

std::optional<QByteArray> parseHex(QStringView data)
{
    QByteArray bytes;
    if (data.isEmpty())
        return bytes;
    // "hh" then ",hh" repeated: 3n-1 characters for n bytes.
    if ((data.size() + 1) % 3 != 0)
        return std::nullopt;
    bytes.reserve((data.size() + 1) / 3);
    for (qsizetype i = 0; i < data.size(); i += 3) {
        const int hi = hexDigit(data[i]);
        const int lo = hexDigit(data[i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        if (i + 2 < data.size() && data[i + 2] != QLatin1Char(','))
            return std::nullopt;
        bytes.append(char(hi * 16 + lo));
    }
    return bytes;
}

QString hexText(const QByteArray& bytes)
{
    static const char digits[] = "0123456789abcdef";
    QString out;
    out.reserve(bytes.size() * 3);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i > 0)
            out += QLatin1Char(',');
        const auto b = uchar(bytes[i]);
        out += QLatin1Char(digits[b >> 4]);
        out += QLatin1Char(digits[b & 15]);
    }
    return out;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// SettingsStore

SettingsStore::SettingsStore() : root_(std::make_unique<Node>()) {}

SettingsStore::SettingsStore(const QString& filePath, Access access)
    : filePath_(filePath), access_(access), root_(std::make_unique<Node>())
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
    return QLatin1Char('\\') + splitPath(path).join(QLatin1Char('\\'));
}

bool SettingsStore::isValidKeyName(const QString& name)
{
    if (name.isEmpty() || name.size() > kMaxKeyNameLength)
        return false;
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c == QLatin1Char('\\'))
            return false;
    }
    return QStringView(name).isValidUtf16();
}

void SettingsStore::clear()
{
    root_ = std::make_unique<Node>();
    modified_ = true;
}

SettingsStore::Node* SettingsStore::find(const QString& path) const
{
    const QStringList parts = splitPath(path);
    if (parts.size() > kMaxKeyDepth)
        return nullptr;
    Node* node = root_.get();
    for (const QString& part : parts) {
        node = node->child(part);
        if (!node)
            return nullptr;
    }
    return node;
}

SettingsStore::Node* SettingsStore::findOrCreate(const QString& path)
{
    const QStringList parts = splitPath(path);
    if (parts.size() > kMaxKeyDepth)
        return nullptr;
    for (const QString& part : parts) {
        if (!isValidKeyName(part))
            return nullptr;
    }
    Node* node = root_.get();
    for (const QString& part : parts) {
        Node* next = node->child(part);
        if (!next) {
            next = node->addChild(part);
            modified_ = true;
        }
        node = next;
    }
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
    QStringList parts = splitPath(path);
    if (parts.isEmpty())
        return false;
    const QString last = parts.takeLast();
    Node* parent = find(parts.join(QLatin1Char('\\')));
    if (!parent || !parent->removeChild(last))
        return false;
    modified_ = true;
    return true;
}

QStringList SettingsStore::subkeyNames(const QString& path) const
{
    QStringList names;
    if (const Node* node = find(path)) {
        for (const auto& child : node->children)
            names << child->name;
    }
    return names;
}

bool SettingsStore::hasSubkeys(const QString& path) const
{
    const Node* node = find(path);
    return node && !node->children.empty();
}

// --- values --------------------------------------------------------------------------------

bool SettingsStore::valueExists(const QString& path, const QString& name) const
{
    const Node* node = find(path);
    return node && node->value(name);
}

std::optional<SettingsValueType> SettingsStore::valueType(const QString& path, const QString& name) const
{
    const Node* node = find(path);
    const Value* v = node ? node->value(name) : nullptr;
    if (!v)
        return std::nullopt;
    return v->type;
}

QStringList SettingsStore::valueNames(const QString& path) const
{
    QStringList names;
    if (const Node* node = find(path)) {
        for (const Value& v : node->values)
            names << v.name;
    }
    return names;
}

std::optional<qint32> SettingsStore::readInteger(const QString& path, const QString& name) const
{
    const Node* node = find(path);
    const Value* v = node ? node->value(name) : nullptr;
    if (!v || v->type != SettingsValueType::Integer)
        return std::nullopt;
    return v->integer;
}

std::optional<QByteArray> SettingsStore::readBinary(const QString& path, const QString& name) const
{
    const Node* node = find(path);
    const Value* v = node ? node->value(name) : nullptr;
    if (!v || v->type != SettingsValueType::Binary)
        return std::nullopt;
    return v->binary;
}

std::optional<QString> SettingsStore::readString(const QString& path, const QString& name) const
{
    const Node* node = find(path);
    const Value* v = node ? node->value(name) : nullptr;
    if (!v || v->type != SettingsValueType::String)
        return std::nullopt;
    return v->string;
}

bool SettingsStore::write(const QString& path, const QString& name, Value value)
{
    if (isReadOnly() || name.size() > kMaxValueNameLength)
        return false;
    Node* node = find(path);
    if (!node)
        return false;
    value.name = name;
    node->setValue(std::move(value));
    modified_ = true;
    return true;
}

bool SettingsStore::writeInteger(const QString& path, const QString& name, qint32 value)
{
    Value v;
    v.type = SettingsValueType::Integer;
    v.integer = value;
    return write(path, name, std::move(v));
}

bool SettingsStore::writeBinary(const QString& path, const QString& name, const QByteArray& value)
{
    Value v;
    v.type = SettingsValueType::Binary;
    v.binary = value;
    return write(path, name, std::move(v));
}

bool SettingsStore::writeString(const QString& path, const QString& name, const QString& value)
{
    Value v;
    v.type = SettingsValueType::String;
    v.string = value;
    return write(path, name, std::move(v));
}

bool SettingsStore::deleteValue(const QString& path, const QString& name)
{
    if (isReadOnly())
        return false;
    Node* node = find(path);
    if (!node || !node->removeValue(name))
        return false;
    modified_ = true;
    return true;
}

// --- the file ------------------------------------------------------------------------------

QByteArray SettingsStore::serialize() const
{
    QString text = QStringLiteral("; Irvata settings store. Values: dword:hhhhhhhh, hex:hh,hh..., \"text\"\n");
    // Depth-first, iterative: every key is a section of its own (so keys without values stay);
    // the root gets a section only when it holds values.
    struct Item {
        const Node* node;
        QString path;  // "" for the root
    };
    std::vector<Item> stack{{root_.get(), QString()}};
    while (!stack.empty()) {
        Item item = std::move(stack.back());
        stack.pop_back();
        const bool isRoot = item.node == root_.get();
        if (!isRoot || !item.node->values.empty()) {
            text += QLatin1Char('\n');
            text += QLatin1Char('[') + (isRoot ? QStringLiteral("\\") : item.path) + QLatin1String("]\n");
        }
        for (const Value& v : item.node->values) {
            text += quote(v.name);
            text += QLatin1Char('=');
            switch (v.type) {
            case SettingsValueType::Integer:
                text += QStringLiteral("dword:%1").arg(quint32(v.integer), 8, 16, QLatin1Char('0'));
                break;
            case SettingsValueType::Binary:
                text += QLatin1String("hex:") + hexText(v.binary);
                break;
            case SettingsValueType::String:
                text += quote(v.string);
                break;
            }
            text += QLatin1Char('\n');
        }
        for (auto it = item.node->children.rbegin(); it != item.node->children.rend(); ++it)
            stack.push_back({it->get(), item.path + QLatin1Char('\\') + (*it)->name});
    }
    return text.toUtf8();
}

void SettingsStore::deserialize(const QByteArray& bytes)
{
    root_ = std::make_unique<Node>();
    skippedLines_ = 0;
    modified_ = true;

    Node* current = nullptr;
    qint64 entries = 0;
    qsizetype start = 0;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        start = 3;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        const QByteArrayView raw(bytes.constData() + start, end - start);
        start = end + 1;

        // ConvertInitialBom: a U+FEFF at the start of a line is text, not a byte-order mark.
        QStringDecoder decoder(QStringDecoder::Utf8,
                               QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        const QString line = QString(decoder(raw)).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (decoder.hasError() || entries >= kMaxEntries) {
            ++skippedLines_;
            continue;
        }

        if (line.startsWith(QLatin1Char('['))) {
            // A damaged section line loses its values rather than giving them to the key before.
            current = line.size() >= 2 && line.endsWith(QLatin1Char(']')) ? findOrCreate(line.mid(1, line.size() - 2))
                                                                            : nullptr;
            if (!current)
                ++skippedLines_;  // its values are skipped too, until the next valid section
            else
                ++entries;
            continue;
        }

        QString name;
        qsizetype pos = 0;
        if (!current || !unquote(line, 0, name, pos) || pos >= line.size() || line[pos] != QLatin1Char('=')
            || name.size() > kMaxValueNameLength) {
            ++skippedLines_;
            continue;
        }
        const QStringView data = QStringView(line).mid(pos + 1);
        Value v;
        v.name = name;
        bool ok = false;
        if (data.startsWith(QLatin1String("dword:"))) {
            if (auto n = parseDword(data.mid(6))) {
                v.type = SettingsValueType::Integer;
                v.integer = *n;
                ok = true;
            }
        } else if (data.startsWith(QLatin1String("hex:"))) {
            if (auto b = parseHex(data.mid(4))) {
                v.type = SettingsValueType::Binary;
                v.binary = std::move(*b);
                ok = true;
            }
        } else if (data.startsWith(QLatin1Char('"'))) {
            qsizetype strEnd = 0;
            QString s;
            if (unquote(line, pos + 1, s, strEnd) && strEnd == line.size()) {
                v.type = SettingsValueType::String;
                v.string = std::move(s);
                ok = true;
            }
        }
        if (!ok) {
            ++skippedLines_;
            continue;
        }
        current->setValue(std::move(v));
        ++entries;
    }
}

bool SettingsStore::load()
{
    root_ = std::make_unique<Node>();
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
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes || file.error() != QFileDevice::NoError)
        return false;
    deserialize(bytes);
    modified_ = false;
    return true;
}

bool SettingsStore::save()
{
    if (isReadOnly() || filePath_.isEmpty())
        return false;
    const QFileInfo info(filePath_);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    QSaveFile file(filePath_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = serialize();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
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
