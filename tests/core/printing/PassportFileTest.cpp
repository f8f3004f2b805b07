#include "support/MineBuilder.h"
#include "support/TempDir.h"

#include "core/file/Cp1251.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Uzel.h"
#include "core/printing/AutoLegend.h"
#include "core/printing/PassportFile.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

TPassportFileContent Sample()
{
    TPasport p;
    p.Name.Lines = QStringList{QStringLiteral("Шахта «Северная»"), QStringLiteral("участок №3")};
    p.Name.Period = QStringLiteral("на 2026 год");
    p.Name.Seam = TEnableString{true, QStringLiteral("К12")};
    p.Label = TMineLabel{true, QStringLiteral("Иванов И.И."), QStringLiteral("Петров П.П.")};
    p.Shapka.Cells[0] = QStringLiteral("Разраб.");
    p.Shapka.Cells[44] = QStringLiteral("Схема\r\nпротивопожарного\r\nтрубопровода");
    p.Shapka.Cells[55] = QStringLiteral("12");
    TSymbolTable symbols = DefaultSymbols();
    symbols[siPump].Print = false;
    return TPassportFileContent::From(p, symbols);
}

QByteArray Lines(const QStringList& lines)
{
    return toCp1251(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

}  // namespace

TEST(PassportFile, WritesEighteenCommentedGroupsAndReadsThemBackByteForByte)
{
    const QByteArray bytes = PassportFile::Encode(Sample());
    const QStringList lines = fromCp1251(bytes).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^----"))).size(), 18);
    EXPECT_EQ(lines[0], QStringLiteral("---- версия файла "));
    EXPECT_EQ(lines[1], QStringLiteral("1"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    // Line breaks inside a cell are written as "#", and come back as line breaks.
    EXPECT_TRUE(lines.contains(QStringLiteral("Схема#противопожарного#трубопровода")));
    // Windows-1251: one byte a Cyrillic letter.
    EXPECT_TRUE(bytes.contains(toCp1251(QStringLiteral("Иванов И.И."))));

    const TPassportFileContent back = PassportFile::Decode(bytes);
    EXPECT_EQ(back.TitleLines, Sample().TitleLines);
    EXPECT_EQ(back.Cells, Sample().Cells);
    EXPECT_EQ(back.LegendFlags, Sample().LegendFlags);
    EXPECT_EQ(PassportFile::Encode(back), bytes);

    TestTempDir dir;
    const QString path = dir.file(QStringLiteral("p.txt"));
    PassportFile::Write(path, Sample());
    EXPECT_EQ(PassportFile::Encode(PassportFile::Read(path)), bytes);
}

TEST(PassportFile, HashAndZeroTitleLinesAndLegendCounts)
{
    TPassportFileContent c = Sample();
    c.TitleLines.clear();
    QStringList lines = fromCp1251(PassportFile::Encode(c)).split(QStringLiteral("\r\n"));
    lines.removeLast();
    const int countLine = int(lines.indexOf(QStringLiteral("---- количество строк заголовка"))) + 1;
    EXPECT_EQ(lines[countLine], QStringLiteral("0"));
    EXPECT_EQ(lines[countLine + 1], QStringLiteral("---- строки заголовка (количество должно совпадать с заявленным числом)"));
    EXPECT_TRUE(PassportFile::Decode(Lines(lines)).TitleLines.isEmpty());

    // A "#" typed into a cell comes back as a line break.
    const int table1 = int(lines.indexOf(QRegularExpression(QStringLiteral("^---- таблица 1.*")))) + 1;
    lines[table1] = QStringLiteral("a#b");
    EXPECT_EQ(PassportFile::Decode(Lines(lines)).Cells[0], QStringLiteral("a\r\nb"));

    // Fewer than 11 legend flags: only those, and the groups after them in place.
    const int legendCount = int(lines.indexOf(QStringLiteral("---- количество условных обозначений"))) + 1;
    QStringList fewer = lines;
    fewer[legendCount] = QStringLiteral("3");
    fewer.remove(legendCount + 2 + 3, 8);
    TPassportFileContent read = PassportFile::Decode(Lines(fewer));
    EXPECT_EQ(read.LegendFlags.size(), 3u);
    EXPECT_EQ(read.ChiefEngineer, QStringLiteral("Иванов И.И."));
    TPasport passport;
    TSymbolTable symbols = DefaultSymbols();
    for (TSymbol& s : symbols)
        s.Print = false;
    read.ApplyTo(passport, symbols);
    EXPECT_TRUE(symbols[0].Print && symbols[2].Print);
    EXPECT_FALSE(symbols[3].Print);

    // More than 11: every line is read, the first 11 kept, nothing after shifted.
    QStringList more = lines;
    more[legendCount] = QStringLiteral("13");
    more.insert(legendCount + 2 + 11, QStringLiteral("0"));
    more.insert(legendCount + 2 + 11, QStringLiteral("0"));
    read = PassportFile::Decode(Lines(more));
    EXPECT_EQ(read.LegendFlags.size(), 11u);
    EXPECT_EQ(read.ChiefEngineer, QStringLiteral("Иванов И.И."));
    EXPECT_EQ(read.Cells[44], Sample().Cells[44]);
    EXPECT_EQ(read.Cells[55], Sample().Cells[55]);
}

TEST(PassportFile, AFailedLoadChangesNothing)
{
    const QByteArray good = PassportFile::Encode(Sample());
    QStringList lines = fromCp1251(good).split(QStringLiteral("\r\n"));
    const int legendCount = int(lines.indexOf(QStringLiteral("---- количество условных обозначений"))) + 1;
    QStringList notNumber = lines;
    notNumber[legendCount] = QStringLiteral("много");
    QStringList negative = lines;
    negative[5] = QStringLiteral("-2");  // the title-line count
    const QByteArray truncated = good.left(good.size() / 2);
    for (const QByteArray& bad : {Lines(notNumber), Lines(negative), truncated, QByteArray()}) {
        try {
            PassportFile::Decode(bad);
            ADD_FAILURE() << "read a broken file";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Произошла ошибка при чтении из файла"));
        }
    }
    EXPECT_THROW(PassportFile::Read(QStringLiteral("/nonexistent/p.txt")), Exception);
    try {
        PassportFile::Write(QStringLiteral("/nonexistent/p.txt"), Sample());
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Произошла ошибка записи в файл"));
    }
}

TEST(PassportFile, SeamIsPrintedOnlyUnderAPrintedHeading)
{
    TPassportFileContent c = Sample();
    c.PrintTitle = false;
    c.SeamChecked = true;
    TPasport p;
    TSymbolTable s = DefaultSymbols();
    c.ApplyTo(p, s);
    EXPECT_FALSE(p.Name.Seam.Enabled);
    EXPECT_EQ(p.Name.Seam.Text, QStringLiteral("К12"));
}

TEST(Legend, WorkingCopyReachesTheTableOnlyOnCommit)
{
    TLegendSymbols legend;
    legend.BeginEdit()[siGate].Print = false;
    EXPECT_TRUE(legend.Current()[siGate].Print);  // Cancel: nothing committed
    legend.BeginEdit();
    EXPECT_TRUE(legend.Working()[siGate].Print);
    legend.Working()[siGate].Print = false;
    legend.Commit();
    EXPECT_FALSE(legend.Current()[siGate].Print);
}

TEST(Legend, AutoShowsWhatTheMineHas)
{
    MineBuilder b;
    b.uzel(1, 0, 0);
    b.uzel(2, 100, 0)->SetSurface(true);
    TBranch* br = b.firePipe(1, 1, 2);
    b.device<TCrane>(br, dkCrane, 0.5)->SetConsumerType(1);
    b.device<TPump>(br, dkPump, 0.2);
    TSymbolTable symbols = DefaultSymbols();
    AutoLegend::Fill(symbols, b.mine(), 0);
    std::vector<bool> flags;
    for (const TSymbol& s : symbols)
        flags.push_back(s.Print);
    EXPECT_EQ(flags, (std::vector<bool>{false, true, false, false, false, false, true, false, false, true, true}));

    // The drainage pipeline: no device symbols, the pipe colours still.
    AutoLegend::Fill(symbols, b.mine(), 1);
    for (int i = 0; i <= siFireEngine; ++i)
        EXPECT_FALSE(symbols[size_t(i)].Print) << i;
    EXPECT_TRUE(symbols[siDiameterColors].Print);
}
