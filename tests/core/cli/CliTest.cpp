#include "support/TempDir.h"

#include "core/exchange/MineJson.h"
#include "core/file/NetworkFile.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Pipe.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int exit = -1;
    QByteArray out;
    QString err;
};

CliRun Cli(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(IRVATA_CLI_PATH), args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            QString::fromUtf8(p.readAllStandardError())};
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

int FireEngines(const TMine& mine)
{
    int n = 0;
    for (const TBranch* b : mine.Branches)
        for (const TPipe* p : b->Pipes)
            for (const TDevice* d : p->Devices)
                n += d->GetKind() == dkFireMachine ? 1 : 0;
    return n;
}

}  // namespace

TEST(Cli, BadCommandLinesGiveStatus64)
{
    EXPECT_EQ(Cli({}).exit, 64);
    EXPECT_EQ(Cli({QStringLiteral("frobnicate")}).exit, 64);
    EXPECT_EQ(Cli({QStringLiteral("info")}).exit, 64);
    EXPECT_EQ(Cli({QStringLiteral("generate"), QStringLiteral("--branches"), QStringLiteral("x"), QStringLiteral("a.irv")}).exit, 64);
    EXPECT_EQ(Cli({QStringLiteral("convert"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("--format"), QStringLiteral("15")}).exit, 64);
    EXPECT_EQ(Cli({QStringLiteral("generate"), QStringLiteral("--preset"), QStringLiteral("big"), QStringLiteral("a.irv")}).exit, 64);
}

TEST(Cli, UnreadableFilesGiveStatusTwoAndTheSystemsMessage)
{
    TestTempDir dir;
    CliRun r = Cli({QStringLiteral("info"), dir.file(QStringLiteral("missing.irv"))});
    EXPECT_EQ(r.exit, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("missing.irv"))) << r.err.toStdString();
    EXPECT_FALSE(r.err.contains(dir.path())) << "the message names the file without its folder";

    const QString junk = dir.file(QStringLiteral("junk.irv"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(64, 'x'));
    f.close();
    r = Cli({QStringLiteral("dump"), junk});
    EXPECT_EQ(r.exit, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Файл junk.irv имеет неизвестный программе формат или поврежден")))
        << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty());

    r = Cli({QStringLiteral("generate"), QStringLiteral("--branches"), QStringLiteral("5"),
             dir.file(QStringLiteral("no/such/folder/out.irv"))});
    EXPECT_EQ(r.exit, 2);
    EXPECT_FALSE(r.err.isEmpty());
}

TEST(Cli, GenerateInfoAndDump)
{
    TestTempDir dir;
    const QString path = dir.file(QStringLiteral("g.irv"));
    CliRun r = Cli({QStringLiteral("generate"), QStringLiteral("--branches"), QStringLiteral("300"),
                 QStringLiteral("--seed"), QStringLiteral("11"), path});
    ASSERT_EQ(r.exit, 0) << r.err.toStdString();

    r = Cli({QStringLiteral("info"), path});
    ASSERT_EQ(r.exit, 0);
    const QString info = QString::fromUtf8(r.out);
    EXPECT_TRUE(info.contains(QStringLiteral("Format version: 1.17\n")));
    EXPECT_TRUE(info.contains(QStringLiteral("Branches: 300\n")));
    EXPECT_TRUE(info.contains(QStringLiteral("  Пожарная машина: ")));
    EXPECT_TRUE(info.contains(QStringLiteral("Mine: Шахта «Синтетическая-11»")));

    r = Cli({QStringLiteral("dump"), path});
    ASSERT_EQ(r.exit, 0);
    const TNetworkDocument doc = NetworkFile::Read(path);
    EXPECT_EQ(r.out, MineJson::Dump(doc)) << "the dump is the library's, byte for byte";
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(r.out, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_EQ(json.object().value("Version").toInt(), 17);
}

TEST(Cli, SameSeedGivesTheSameFile)
{
    TestTempDir dir;
    const QString a = dir.file(QStringLiteral("a.irv"));
    const QString b = dir.file(QStringLiteral("b.irv"));
    const QString c = dir.file(QStringLiteral("c.irv"));
    ASSERT_EQ(Cli({QStringLiteral("generate"), QStringLiteral("--seed=7"), QStringLiteral("--branches=200"), a}).exit, 0);
    ASSERT_EQ(Cli({QStringLiteral("generate"), QStringLiteral("--branches"), QStringLiteral("200"),
                   QStringLiteral("--seed"), QStringLiteral("7"), b}).exit, 0);
    ASSERT_EQ(Cli({QStringLiteral("generate"), QStringLiteral("--branches"), QStringLiteral("200"),
                   QStringLiteral("--seed"), QStringLiteral("8"), c}).exit, 0);
    EXPECT_EQ(ReadAll(a), ReadAll(b));
    EXPECT_NE(ReadAll(a), ReadAll(c));
}

TEST(Cli, ConvertToSixteenDropsFireEnginesAndBack)
{
    TestTempDir dir;
    const QString v17 = dir.file(QStringLiteral("sample.irv"));
    const QString v16 = dir.file(QStringLiteral("sample16.irv"));
    const QString back = dir.file(QStringLiteral("back.irv"));
    ASSERT_EQ(Cli({QStringLiteral("generate"), QStringLiteral("--preset"), QStringLiteral("sample"), v17}).exit, 0);
    ASSERT_EQ(Cli({QStringLiteral("convert"), v17, v16, QStringLiteral("--format"), QStringLiteral("16")}).exit, 0);
    ASSERT_EQ(Cli({QStringLiteral("convert"), v16, back}).exit, 0);

    const TNetworkDocument original = NetworkFile::Read(v17);
    const TNetworkDocument old = NetworkFile::Read(v16);
    const TNetworkDocument converted = NetworkFile::Read(back);
    EXPECT_EQ(old.Version, 16);
    EXPECT_EQ(converted.Version, 17);
    EXPECT_EQ(FireEngines(*original.Mine), 1);
    EXPECT_EQ(FireEngines(*old.Mine), 0) << "version 16 has no fire engines";
    EXPECT_EQ(old.Mine->Branches.Count(), original.Mine->Branches.Count());
    EXPECT_TRUE(Cli({QStringLiteral("info"), v16}).out.contains("Format version: 1.16\n"));

    // Converting a version 17 file to 17 again changes nothing.
    const QString again = dir.file(QStringLiteral("again.irv"));
    ASSERT_EQ(Cli({QStringLiteral("convert"), v17, again}).exit, 0);
    EXPECT_EQ(MineJson::Dump(NetworkFile::Read(again)), MineJson::Dump(original));
}
