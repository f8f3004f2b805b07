#include "support/MineBuilder.h"
#include "support/TempDir.h"

#include "core/file/NetworkFile.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct CliRunResult {
    int exit = -1;
    QString out;
    QString err;
};

CliRunResult Cli(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(IRVATA_CLI_PATH), args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// Nodes 1, 2, 5, 57; branch 3 (1 → 2) with a gate 300 at 0.6 and a hydrant 301 at 0.1 on
// its fire pipe and a drainage gate 60; branch 7 (2 → 5) without a pipe.
QString WriteMine(const TestTempDir& dir)
{
    MineBuilder mb;
    for (int n : {1, 2, 5, 57})
        mb.uzel(n, n * 10.0);
    TBranch* b = mb.firePipe(3, 1, 2, 100);
    mb.device(b, dkGate, 0.6, 300);
    mb.device(b, dkCrane, 0.1, 301);
    mb.device(b, dkGate, 0.5, 60, 1);
    mb.branch(7, 2, 5);
    const QString path = dir.file(QStringLiteral("in.irv"));
    NetworkFile::Write(path, mb.mine(), TDocumentSettings::Defaults(), {}, 17);
    return path;
}

std::vector<int> FireDeviceNumbers(const QString& path)
{
    const TNetworkDocument doc = NetworkFile::Read(path);
    std::vector<int> numbers;
    for (const TDevice* d : doc.Mine->Branches.Items(0)->FirePipe()->Devices)
        numbers.push_back(d->Number());
    return numbers;
}

}  // namespace

TEST(NumbersCli, RenumberInBothModesAndRefusalWritesNothing)
{
    TestTempDir dir;
    const QString in = WriteMine(dir);
    const QString out = dir.file(QStringLiteral("out.irv"));
    EXPECT_EQ(Cli({QStringLiteral("renumber"), in, out, QStringLiteral("--after-max")}).exit, 0);
    EXPECT_EQ(FireDeviceNumbers(out), std::vector<int>({61, 62}));  // above the drainage gate 60
    EXPECT_EQ(Cli({QStringLiteral("renumber"), in, out, QStringLiteral("--fill")}).exit, 0);
    EXPECT_EQ(FireDeviceNumbers(out), std::vector<int>({3, 4}));
    EXPECT_EQ(FireDeviceNumbers(in), std::vector<int>({301, 300}));

    EXPECT_EQ(Cli({QStringLiteral("renumber"), in, out}).exit, 64);
    EXPECT_EQ(Cli({QStringLiteral("renumber"), in, out, QStringLiteral("--fill"), QStringLiteral("--after-max")}).exit, 64);

    // A mine without devices on fire pipes is refused with the system's text.
    const QString bare = dir.file(QStringLiteral("bare.irv"));
    NetworkFile::Write(bare, MineBuilder().mine(), TDocumentSettings::Defaults(), {}, 17);
    const QString none = dir.file(QStringLiteral("none.irv"));
    const CliRunResult r = Cli({QStringLiteral("renumber"), bare, none, QStringLiteral("--fill")});
    EXPECT_EQ(r.exit, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Водопроводное оборудование отсутствует"))) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(none));
}

TEST(NumbersCli, FreeNumbersAsTheChooserListsThem)
{
    TestTempDir dir;
    const QString in = WriteMine(dir);
    // Nodes and every device: 1, 2, 5, 57, 60, 300, 301.
    CliRunResult r = Cli({QStringLiteral("numbers"), in, QStringLiteral("--nodes")});
    EXPECT_EQ(r.exit, 0);
    EXPECT_EQ(r.out, QStringLiteral("3\n4\n6 - 56\n58\n59\n61 - 299\n302 и далее ...\n"));
    r = Cli({QStringLiteral("numbers"), in, QStringLiteral("--branches"), QStringLiteral("--no-tail")});
    EXPECT_EQ(r.out, QStringLiteral("1\n2\n4\n5\n6\n"));
    r = Cli({QStringLiteral("numbers"), in, QStringLiteral("--devices")});
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("3\n4\n6 - 56\n"))) << r.out.toStdString();
    EXPECT_EQ(Cli({QStringLiteral("numbers"), in}).exit, 64);
    EXPECT_EQ(Cli({QStringLiteral("numbers"), in, QStringLiteral("--nodes"), QStringLiteral("--devices")}).exit, 64);
}

TEST(NumbersCli, StatisticsRowsKeepTheirLeadingBlanks)
{
    TestTempDir dir;
    const QString in = WriteMine(dir);
    const CliRunResult r = Cli({QStringLiteral("stats"), in});
    EXPECT_EQ(r.exit, 0);
    const QStringList lines = r.out.split(QLatin1Char('\n'));
    EXPECT_EQ(lines[0], QStringLiteral("Шахта\ttest"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Файл\t")) && lines[1].endsWith(QStringLiteral("in.irv")));
    EXPECT_EQ(lines[2], QStringLiteral("Формат файла\t1.17"));
    EXPECT_EQ(lines[3], QStringLiteral("\t"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Всего ветвей\t2")));
    EXPECT_TRUE(lines.contains(QStringLiteral("   всего ветвей с трубопроводом\t1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("      d = 100 мм\t1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("   всего задвижек\t1")));
    EXPECT_EQ(Cli({QStringLiteral("stats")}).exit, 64);
}

// The all-devices table: headings, then a device a line by number, the branch column's tabs
// written as blanks; --pipe all looks at every pipe, but the drainage pipe is not laid, so its
// gate stays out; an unknown kind is a usage error.
TEST(NumbersCli, DevicesPrintTheTableAsTheWindowShowsIt)
{
    TestTempDir dir;
    const QString path = WriteMine(dir);
    const CliRunResult gates = Cli({QStringLiteral("devices"), path, QStringLiteral("--kind"), QStringLiteral("задвижка")});
    ASSERT_EQ(gates.exit, 0) << gates.err.toStdString();
    EXPECT_EQ(gates.out, QStringLiteral("ВСЕ\tНомер\tСостояние\tВыработка\n1\t300\tОткрыто\t3 (1, 2) \n"));
    const CliRunResult all = Cli({QStringLiteral("devices"), path, QStringLiteral("--pipe"), QStringLiteral("all")});
    EXPECT_EQ(all.out.count(QLatin1Char('\n')), 3);
    EXPECT_EQ(Cli({QStringLiteral("devices"), path, QStringLiteral("--kind"), QStringLiteral("x")}).exit, 64);
}
