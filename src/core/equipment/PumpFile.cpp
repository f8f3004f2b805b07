#include "core/equipment/PumpFile.h"

#include "core/file/AtomicFile.h"
#include "core/file/Cp1251.h"
#include "core/file/FileError.h"

#include <QFile>
#include <QFileInfo>

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace PumpFile {

namespace {

const QByteArray kMark = QByteArrayLiteral("[Pump]");

[[noreturn]] void Damaged(const QString& path)
{
    throw EFileError(fekMalformed, QStringLiteral("Ошибка при чтении файла ") + path);
}

// The lines of the text, line ends CR LF, LF or CR alike.
std::vector<QByteArray> SplitLines(const QByteArray& bytes)
{
    std::vector<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\n' && c != '\r')
            continue;
        lines.push_back(bytes.mid(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.push_back(bytes.mid(start));
    return lines;
}

std::vector<QByteArray> Tokens(const QByteArray& line)
{
    std::vector<QByteArray> tokens;
    for (const QByteArray& t : line.simplified().split(' '))
        if (!t.isEmpty())
            tokens.push_back(t);
    return tokens;
}

// A free-format number with the point as decimal separator; nothing for any other text.
bool ParseNumber(const QByteArray& token, double& value)
{
    const char* begin = token.constData();
    const char* end = begin + token.size();
    if (begin != end && *begin == '+')
        ++begin;
    const auto r = std::from_chars(begin, end, value, std::chars_format::general);
    return r.ec == std::errc() && r.ptr == end && std::abs(value) <= kMaxValue;
}

bool ParseCount(const QByteArray& line, int& count)
{
    const std::vector<QByteArray> t = Tokens(line);
    if (t.size() != 1)
        return false;
    const auto r = std::from_chars(t[0].constData(), t[0].constData() + t[0].size(), count);
    return r.ec == std::errc() && r.ptr == t[0].constData() + t[0].size() && count >= 0;
}

std::vector<double> ParseValues(const QByteArray& line, int count, const QString& path)
{
    const std::vector<QByteArray> t = Tokens(line);
    if (static_cast<qsizetype>(t.size()) < count)
        Damaged(path);
    std::vector<double> values(static_cast<size_t>(count));
    for (size_t i = 0; i < values.size(); ++i)
        if (!ParseNumber(t[i], values[i]))
            Damaged(path);
    return values;
}

bool IsBlank(const QByteArray& line) { return line.trimmed().isEmpty(); }

// The value right-aligned in a field of the width, with the decimals; wider values widen it.
void AppendFixed(QByteArray& out, double value, int width, int decimals)
{
    char buf[400];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    const qsizetype length = r.ec == std::errc() ? r.ptr - buf : 0;
    if (length < width)
        out.append(width - length, ' ');
    out.append(buf, length);
}

}  // namespace

QString NotAPumpFileText(const QString& path)
{
    return QStringLiteral("Файл %1 не является файлом характеристики насоса").arg(path);
}

std::unique_ptr<TPumpStore> Decode(const QByteArray& bytes, const QString& path)
{
    if (bytes.size() > kMaxFileSize)
        Damaged(path);
    const std::vector<QByteArray> lines = SplitLines(bytes);
    if (lines.empty() || lines[0].trimmed() != kMark)
        throw EFileError(fekMalformed, NotAPumpFileText(path));
    if (lines.size() < 3)
        Damaged(path);
    auto store = std::make_unique<TPumpStore>(fromCp1251(lines[1]).trimmed());
    const std::vector<QByteArray> ranges = Tokens(lines[2]);
    double r[4];
    if (ranges.size() != 4)
        Damaged(path);
    for (int i = 0; i < 4; ++i)
        if (!ParseNumber(ranges[static_cast<size_t>(i)], r[i]))
            Damaged(path);
    store->SetRangesAsRead(r[0], r[1], r[2], r[3]);

    TBasePointList& points = store->PointsForLoading();
    points.Suspend();
    size_t at = 3;
    while (at < lines.size()) {
        if (IsBlank(lines[at])) {  // empty lines between and after the blocks
            ++at;
            continue;
        }
        int count = 0;
        if (!ParseCount(lines[at], count))
            Damaged(path);
        if (count == 0) {  // its two lines are empty, and skipped as such
            ++at;
            continue;
        }
        if (at + 2 >= lines.size())
            Damaged(path);
        const std::vector<double> heads = ParseValues(lines[at + 1], count, path);
        const std::vector<double> flows = ParseValues(lines[at + 2], count, path);
        for (size_t i = 0; i < heads.size(); ++i)
            points.Insert({flows[i], heads[i]});
        at += 3;
    }
    points.Resume();
    return store;
}

QByteArray Encode(const TPumpStore& store)
{
    QByteArray out;
    out += kMark + "\r\n";
    out += toCp1251(store.Name) + "\r\n";
    for (int i = 0; i < 4; ++i) {
        if (i > 0)
            out += ' ';
        AppendFixed(out, store.Range(static_cast<TPumpRange>(i)), 7, 1);
    }
    out += "\r\n";
    const std::vector<TBasePoint>& points = store.Points().Points();
    out += QByteArray::number(static_cast<qlonglong>(points.size())) + "\r\n";
    for (const TBasePoint& p : points) {
        AppendFixed(out, p.H, 7, 3);
        out += ' ';
    }
    out += "\r\n";
    for (const TBasePoint& p : points) {
        AppendFixed(out, p.Q, 7, 3);
        out += ' ';
    }
    out += "\r\n";
    return out;
}

std::unique_ptr<TPumpStore> Read(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw EFileError(fekIo, QStringLiteral("Отсутствует файл ") + path);
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        throw EFileError(fekIo, QStringLiteral("Ошибка при чтении файла ") + path);
    const QByteArray bytes = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        throw EFileError(fekIo, QStringLiteral("Ошибка при чтении файла ") + path);
    auto store = Decode(bytes, path);
    store->SourceFile = path;
    return store;
}

void Write(const TPumpStore& store, const QString& path)
{
    try {
        WriteFileAtomically(path, Encode(store));
    } catch (const Exception&) {
        throw EFileError(fekIo, QStringLiteral("Ошибка при записи файла") + path);
    }
}

}  // namespace PumpFile
