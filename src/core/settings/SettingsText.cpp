#include "core/settings/SettingsText.h"

#include <QStringDecoder>

#include <utility>
#include <vector>

namespace SettingsText {

namespace {

// --- escaping ------------------------------------------------------------------------------

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
bool unquote(QStringView line, qsizetype pos, QString& text, qsizetype& end)
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

// --- value data ----------------------------------------------------------------------------

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

// A value line: "name"=data. std::nullopt when any part of it does not parse.
std::optional<SettingsValue> parseValueLine(QStringView line)
{
    SettingsValue v;
    qsizetype pos = 0;
    if (!unquote(line, 0, v.name, pos) || pos >= line.size() || line[pos] != QLatin1Char('=')
        || v.name.size() > SettingsNode::kMaxValueNameLength)
        return std::nullopt;
    const QStringView data = line.mid(pos + 1);
    if (data.startsWith(QLatin1String("dword:"))) {
        const auto n = parseDword(data.mid(6));
        if (!n)
            return std::nullopt;
        v.type = SettingsValueType::Integer;
        v.integer = *n;
        return v;
    }
    if (data.startsWith(QLatin1String("hex:"))) {
        auto b = parseHex(data.mid(4));
        if (!b)
            return std::nullopt;
        v.type = SettingsValueType::Binary;
        v.binary = std::move(*b);
        return v;
    }
    qsizetype stringEnd = 0;
    if (data.startsWith(QLatin1Char('"')) && unquote(line, pos + 1, v.string, stringEnd) && stringEnd == line.size()) {
        v.type = SettingsValueType::String;
        return v;
    }
    return std::nullopt;
}

}  // namespace

std::optional<Parsed> parse(QByteArrayView bytes)
{
    if (bytes.size() > kMaxBytes)
        return std::nullopt;
    Parsed parsed{std::make_unique<SettingsNode>(), 0};

    SettingsNode* current = nullptr;
    qint64 entries = 0;
    qsizetype start = 0;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        start = 3;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        const QByteArrayView raw = bytes.sliced(start, end - start);
        start = end + 1;

        // ConvertInitialBom: a U+FEFF at the start of a line is text, not a byte-order mark.
        QStringDecoder decoder(QStringDecoder::Utf8,
                               QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        const QString line = QString(decoder(raw)).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (decoder.hasError() || entries >= kMaxEntries) {
            ++parsed.skippedLines;
            continue;
        }

        if (line.startsWith(QLatin1Char('['))) {
            current = line.size() >= 2 && line.endsWith(QLatin1Char(']'))
                          ? parsed.root->findOrCreate(SettingsNode::splitPath(line.mid(1, line.size() - 2)))
                          : nullptr;
            if (!current)
                ++parsed.skippedLines;  // its values are skipped too, until the next valid section
            else
                ++entries;
            continue;
        }

        std::optional<SettingsValue> value = current ? parseValueLine(line) : std::nullopt;
        if (!value) {
            ++parsed.skippedLines;
            continue;
        }
        current->setValue(std::move(*value));
        ++entries;
    }
    return parsed;
}

QByteArray write(const SettingsNode& root)
{
    QString text = QStringLiteral("; Irvata settings store. Values: dword:hhhhhhhh, hex:hh,hh..., \"text\"\n");
    // Depth-first and iterative, so a deep tree cannot exhaust the stack.
    struct Item {
        const SettingsNode* node;
        QString path;  // "" for the root
    };
    std::vector<Item> stack{{&root, QString()}};
    while (!stack.empty()) {
        Item item = std::move(stack.back());
        stack.pop_back();
        const bool isRoot = item.node == &root;
        if (!isRoot || !item.node->values().empty()) {
            text += QLatin1Char('\n');
            text += QLatin1Char('[') + (isRoot ? QStringLiteral("\\") : item.path) + QLatin1String("]\n");
        }
        for (const SettingsValue& v : item.node->values()) {
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
        const auto& children = item.node->children();
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            stack.push_back({it->get(), item.path + QLatin1Char('\\') + (*it)->name()});
    }
    return text.toUtf8();
}

}  // namespace SettingsText
