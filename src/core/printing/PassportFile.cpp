#include "core/printing/PassportFile.h"

#include "core/file/AtomicFile.h"
#include "core/file/Cp1251.h"
#include "core/model/Errors.h"

namespace {

const QString kReadError = QStringLiteral("Произошла ошибка при чтении из файла");
const QString kWriteError = QStringLiteral("Произошла ошибка записи в файл");
const QString kCrLf = QStringLiteral("\r\n");
const QString kCellBreak = QStringLiteral("#");

// The comment lines, in the order they stand in the file.
const char* const kComments[] = {
    "---- версия файла ",
    "---- 1: заголовок печатать; 0: заголовок не печатать ",
    "---- количество строк заголовка",
    "---- строки заголовка (количество должно совпадать с заявленным числом)",
    "---- период",
    "---- 1: пласт отмечен; 0: пласт не отмечен",
    "---- пласт",
    "---- 1: условные обозначения печатать; 0: условные обозначения не печатать",
    "---- количество условных обозначений",
    "---- 1: условное обозначение печатать; 0: условное обозначение не печатать",
    "---- 1: подпись печатать; 0: подпись не печатать",
    "---- главный инженер",
    "---- начальник ВТБ",
    "---- 1: штамп печатать; 0: штамп не печатать",
    "---- таблица 1 слева (4 столбца, 11 строк, всего 44 значения). Перечисление значений сверху вниз справа налево.",
    "---- таблица 2 справа сверху (1 столбец, 2 строки, всего 2 значения). Перечисление значений сверху вниз справа налево.",
    "---- таблица 3 справа снизу (2 столбца, 2 строки, всего 4 значения). Перечисление значений сверху вниз справа налево.",
    "---- таблица 4 внутри правой нижней ячейки таблицы 3 (3 столбца, 2 строки, всего 6 значений). Перечисление значений сверху вниз справа налево.",
};
// Where each title-block table's cells begin; the last entry ends table 4.
constexpr int kTableStarts[] = {0, 44, 46, 50, kTitleBlockCells};

class LineWriter {
public:
    void Comment(int index) { Line(QString::fromUtf8(kComments[index])); }
    void Line(const QString& text) { out_ += toCp1251(text + kCrLf); }
    void Number(qint64 value) { Line(QString::number(value)); }
    void Flag(bool value) { Number(value ? 1 : 0); }
    QByteArray Take() { return std::move(out_); }

private:
    QByteArray out_;
};

class LineReader {
public:
    explicit LineReader(const QByteArray& bytes)
    {
        QString text = fromCp1251(bytes);
        // A file ended by a line break has no line after it.
        if (text.endsWith(QLatin1Char('\n')))
            text.chop(1);
        lines_ = text.split(QLatin1Char('\n'));
        for (QString& line : lines_)
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
    }
    void SkipComment() { Line(); }
    QString Line()
    {
        if (next_ >= lines_.size())
            throw Exception(kReadError);
        return lines_[next_++];
    }
    qint64 Number()
    {
        bool ok = false;
        const qint64 value = Line().trimmed().toLongLong(&ok);
        if (!ok)
            throw Exception(kReadError);
        return value;
    }
    qint64 Count()
    {
        const qint64 value = Number();
        if (value < 0)
            throw Exception(kReadError);
        return value;
    }
    bool Flag() { return Number() != 0; }

private:
    QStringList lines_;
    qsizetype next_ = 0;
};

}  // namespace

TPassportFileContent TPassportFileContent::From(const TPasport& passport, const TSymbolTable& symbols)
{
    TPassportFileContent c;
    c.PrintTitle = passport.Name.PrintTitle;
    c.TitleLines = passport.Name.Lines;
    c.Period = passport.Name.Period;
    c.SeamChecked = passport.Name.Seam.Enabled;
    c.Seam = passport.Name.Seam.Text;
    c.PrintLegend = passport.PrintLegend;
    for (const TSymbol& s : symbols)
        c.LegendFlags.push_back(s.Print);
    c.PrintSignatures = passport.Label.Enabled;
    c.ChiefEngineer = passport.Label.ChiefEngineer;
    c.HeadOfSafety = passport.Label.HeadOfSafety;
    c.PrintStamp = passport.Shapka.Enabled;
    c.Cells = passport.Shapka.Cells;
    return c;
}

void TPassportFileContent::ApplyTo(TPasport& passport, TSymbolTable& symbols) const
{
    passport.Name.PrintTitle = PrintTitle;
    passport.Name.Lines = TitleLines;
    passport.Name.Period = Period;
    // The seam is printed only under a printed heading.
    passport.Name.Seam = TEnableString{SeamChecked && PrintTitle, Seam};
    passport.PrintLegend = PrintLegend;
    for (size_t i = 0; i < LegendFlags.size() && i < symbols.size(); ++i)
        symbols[i].Print = LegendFlags[i];
    passport.Label = TMineLabel{PrintSignatures, ChiefEngineer, HeadOfSafety};
    passport.Shapka.Enabled = PrintStamp;
    passport.Shapka.Cells = Cells;
}

namespace PassportFile {

QByteArray Encode(const TPassportFileContent& c)
{
    LineWriter w;
    w.Comment(0);
    w.Number(kVersion);
    w.Comment(1);
    w.Flag(c.PrintTitle);
    w.Comment(2);
    w.Number(c.TitleLines.size());
    w.Comment(3);
    for (const QString& line : c.TitleLines)
        w.Line(line);
    w.Comment(4);
    w.Line(c.Period);
    w.Comment(5);
    w.Flag(c.SeamChecked);
    w.Comment(6);
    w.Line(c.Seam);
    w.Comment(7);
    w.Flag(c.PrintLegend);
    w.Comment(8);
    w.Number(kSymbolCount);
    w.Comment(9);
    for (int i = 0; i < kSymbolCount; ++i)
        w.Flag(size_t(i) < c.LegendFlags.size() ? bool(c.LegendFlags[size_t(i)]) : true);
    w.Comment(10);
    w.Flag(c.PrintSignatures);
    w.Comment(11);
    w.Line(c.ChiefEngineer);
    w.Comment(12);
    w.Line(c.HeadOfSafety);
    w.Comment(13);
    w.Flag(c.PrintStamp);
    for (int table = 0; table < 4; ++table) {
        w.Comment(14 + table);
        for (int cell = kTableStarts[table]; cell < kTableStarts[table + 1]; ++cell) {
            QString text = c.Cells[size_t(cell)];
            // A lone line feed or carriage return would split the cell over two lines.
            text.replace(kCrLf, kCellBreak).replace(QLatin1Char('\n'), kCellBreak).replace(QLatin1Char('\r'), kCellBreak);
            w.Line(text);
        }
    }
    return w.Take();
}

TPassportFileContent Decode(const QByteArray& bytes)
{
    LineReader r(bytes);
    TPassportFileContent c;
    r.SkipComment();
    r.Number();  // the version: one format so far
    r.SkipComment();
    c.PrintTitle = r.Flag();
    r.SkipComment();
    const qint64 titleCount = r.Count();
    r.SkipComment();
    for (qint64 i = 0; i < titleCount; ++i)
        c.TitleLines << r.Line();
    r.SkipComment();
    c.Period = r.Line();
    r.SkipComment();
    c.SeamChecked = r.Flag();
    r.SkipComment();
    c.Seam = r.Line();
    r.SkipComment();
    c.PrintLegend = r.Flag();
    r.SkipComment();
    const qint64 legendCount = r.Count();
    r.SkipComment();
    // Every declared line is read, so the groups after a longer list stay in their places;
    // only the first kSymbolCount are kept.
    for (qint64 i = 0; i < legendCount; ++i) {
        const bool flag = r.Flag();
        if (i < kSymbolCount)
            c.LegendFlags.push_back(flag);
    }
    r.SkipComment();
    c.PrintSignatures = r.Flag();
    r.SkipComment();
    c.ChiefEngineer = r.Line();
    r.SkipComment();
    c.HeadOfSafety = r.Line();
    r.SkipComment();
    c.PrintStamp = r.Flag();
    for (int table = 0; table < 4; ++table) {
        r.SkipComment();
        for (int cell = kTableStarts[table]; cell < kTableStarts[table + 1]; ++cell)
            c.Cells[size_t(cell)] = r.Line().replace(kCellBreak, kCrLf);
    }
    return c;
}

void Write(const QString& path, const TPassportFileContent& content)
{
    try {
        WriteFileAtomically(path, Encode(content));
    } catch (const Exception&) {
        throw Exception(kWriteError);
    }
}

TPassportFileContent Read(const QString& path)
{
    QByteArray bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const Exception&) {
        throw Exception(kReadError);
    }
    return Decode(bytes);
}

}  // namespace PassportFile
