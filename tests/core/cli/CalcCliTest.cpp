#include "support/CliProcess.h"
#include "support/TempDir.h"

#include "core/file/NetworkFile.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

// irvata-cli calc: the sample mine's results as text and JSON, the plates written back with
// --out, and the statuses scripts rely on.
namespace {

using CliRun = TCliRun;
TCliRun Cli(const QStringList& args) { return RunCli(args); }

class CalcCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        sample = dir.file(QStringLiteral("sample.irv"));
        ASSERT_EQ(Cli({QStringLiteral("generate"), QStringLiteral("--preset"), QStringLiteral("sample"), sample}).exit, 0);
    }
    TestTempDir dir;
    QString sample;
};

}  // namespace

TEST_F(CalcCli, TextListsEverySectionThenPlatesAndShortages)
{
    const CliRun run = Cli({QStringLiteral("calc"), sample});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    const QStringList lines = QString::fromUtf8(run.out).split(u'\n', Qt::SkipEmptyParts);
    const int plates = int(lines.indexOf(QStringLiteral("# plates")));
    const int shortages = int(lines.indexOf(QStringLiteral("# shortages")));
    ASSERT_GT(plates, 0);
    ASSERT_GT(shortages, plates);
    // Seventeen columns a section, in the columns' type order: branch first, head loss last.
    for (int i = 0; i < plates; ++i)
        EXPECT_EQ(lines[i].count(u'\t'), 16) << lines[i].toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("1\t")));
    // A plate row: hydrant, pressure, excess, "n - size", drop, after, fitted plate.
    ASSERT_GT(shortages - plates, 1);
    const QStringList plate = lines[plates + 1].split(u'\t');
    ASSERT_EQ(plate.size(), 7);
    EXPECT_GT(plate[1].toDouble(), 150);
    EXPECT_NEAR(plate[2].toDouble(), plate[1].toDouble() - 150, 0.051);
    EXPECT_TRUE(plate[3].contains(QStringLiteral(" - ")));
    ASSERT_GT(lines.size() - shortages, 1);
    const QStringList lower = lines[shortages + 1].split(u'\t');
    ASSERT_EQ(lower.size(), 3);
    EXPECT_LT(lower[1].toDouble(), 60);
    EXPECT_NEAR(lower[2].toDouble(), lower[1].toDouble() - 60, 0.051);
}

TEST_F(CalcCli, JsonCarriesEveryPartAndOutKeepsThePlates)
{
    const QString out = dir.file(QStringLiteral("with plates.irv"));
    const CliRun run = Cli({QStringLiteral("calc"), sample, QStringLiteral("--json"), QStringLiteral("--out"), out});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(run.out).object();
    EXPECT_TRUE(o[QStringLiteral("converged")].toBool());
    EXPECT_GT(o[QStringLiteral("iterations")].toInt(), 0);
    for (const char* part : {"sections", "plates", "shortages", "nodes", "devices"})
        EXPECT_FALSE(o[QLatin1String(part)].toArray().isEmpty()) << part;
    const QJsonObject s = o[QStringLiteral("sections")].toArray().first().toObject();
    for (const char* key : {"branch", "start_node", "end_node", "length", "k", "q", "v", "d", "i100", "r", "dz", "p1",
                            "p2", "h"})
        EXPECT_TRUE(s.contains(QLatin1String(key))) << key;
    const QJsonObject plate = o[QStringLiteral("plates")].toArray().first().toObject();
    for (const char* key : {"hydrant", "pressure", "excess", "washer", "size", "drop", "after"})
        EXPECT_TRUE(plate.contains(QLatin1String(key))) << key;

    // The chosen plates are in the written file.
    TNetworkDocument doc = NetworkFile::Read(out);
    int fitted = 0;
    for (const TBranch* b : doc.Mine->Branches)
        for (const TDevice* d : b->FirePipe()->Devices)
            if (d->GetKind() == dkCrane && static_cast<const TCrane*>(d)->WasherIndex() > 0)
                ++fitted;
    EXPECT_EQ(fitted, o[QStringLiteral("plates")].toArray().size());
}

TEST_F(CalcCli, NoResultsGiveStatus2AndBadCommandLines64)
{
    // A hydrant that would give water back: the calculation refuses it.
    TNetworkDocument doc = NetworkFile::Read(sample);
    bool changed = false;
    for (TBranch* b : doc.Mine->Branches)
        for (TDevice* d : b->FirePipe()->Devices)
            if (d->GetKind() == dkCrane && !changed) {
                static_cast<TCrane*>(d)->SetConsumption(true);
                static_cast<TCrane*>(d)->SetFlow(-5);
                changed = true;
            }
    ASSERT_TRUE(changed);
    const QString broken = dir.file(QStringLiteral("broken.irv"));
    NetworkFile::Write(broken, *doc.Mine, doc.Settings, doc.BranchOrder, 17);
    const QString written = dir.file(QStringLiteral("never.irv"));
    const CliRun run = Cli({QStringLiteral("calc"), broken, QStringLiteral("--out"), written});
    EXPECT_EQ(run.exit, 2);
    EXPECT_FALSE(run.err.isEmpty());
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_FALSE(QFile::exists(written));

    EXPECT_EQ(Cli({QStringLiteral("calc")}).exit, 64);
    EXPECT_EQ(Cli({QStringLiteral("calc"), sample, sample}).exit, 64);
    EXPECT_EQ(Cli({QStringLiteral("calc"), sample, QStringLiteral("--frobnicate")}).exit, 64);
    EXPECT_EQ(Cli({QStringLiteral("calc"), sample, QStringLiteral("--out")}).exit, 64);
    EXPECT_EQ(Cli({QStringLiteral("calc"), dir.file(QStringLiteral("missing.irv"))}).exit, 2);
}
