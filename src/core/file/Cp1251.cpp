#include "core/file/Cp1251.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Characters of the codes 0x80..0xBF; 0xC0..0xFF are А..я in Unicode order.
constexpr std::array<char16_t, 64> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

char16_t decode(uint8_t b)
{
    if (b < 0x80)
        return b;
    if (b >= 0xC0)
        return static_cast<char16_t>(0x0410 + (b - 0xC0));
    return kHighHalf[b - 0x80];
}

using ReverseEntry = std::pair<char16_t, uint8_t>;

// The codes 0x80..0xBF sorted by character, for a binary search when encoding.
const std::array<ReverseEntry, 64>& reverseTable()
{
    static const std::array<ReverseEntry, 64> table = [] {
        std::array<ReverseEntry, 64> t{};
        for (size_t i = 0; i < t.size(); ++i)
            t[i] = {kHighHalf[i], static_cast<uint8_t>(0x80 + i)};
        std::sort(t.begin(), t.end());
        return t;
    }();
    return table;
}

char encode(char16_t c)
{
    if (c < 0x80)
        return static_cast<char>(c);
    if (c >= 0x0410 && c <= 0x044F)
        return static_cast<char>(0xC0 + (c - 0x0410));
    const auto& table = reverseTable();
    const auto it = std::lower_bound(table.begin(), table.end(), ReverseEntry{c, 0});
    if (it != table.end() && it->first == c)
        return static_cast<char>(it->second);
    return '?';
}

}  // namespace

QByteArray toCp1251(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // A character outside the basic plane is one '?', not two.
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out.append('?');
            ++i;
            continue;
        }
        out.append(encode(c.unicode()));
    }
    return out;
}

QString fromCp1251(const char* bytes, size_t size)
{
    QString out(static_cast<qsizetype>(size), Qt::Uninitialized);
    QChar* dst = out.data();
    for (size_t i = 0; i < size; ++i)
        dst[i] = QChar(decode(static_cast<uint8_t>(bytes[i])));
    return out;
}

QString fromCp1251(const QByteArray& bytes)
{
    return fromCp1251(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QString FirstNotInCp1251(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            return text.mid(i, 2);
        // '?' itself is stored; any other character that comes out as '?' is lost.
        if (c != u'?' && encode(c.unicode()) == '?')
            return QString(c);
    }
    return {};
}

QString Cp1251Refusal(const QString& text)
{
    const QString c = FirstNotInCp1251(text);
    return c.isEmpty() ? QString() : QStringLiteral("Символ \"%1\" не может быть сохранен в файле").arg(c);
}
