#include "EpanetOracle.h"
#include "support/CliProcess.h"
#include "support/TempDir.h"

#include "core/file/DocumentSettings.h"
#include "core/file/NetworkFile.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

const QString kSample = QStringLiteral(IRVATA_SOURCE_DIR "/examples/sample_mine.irv");

using CliRun = TCliRun;
TCliRun Cli(const QStringList& args) { return RunCli(args); }

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

// The sample mine's calculation as a file EPANET reads and solves, its junctions named after
// the mine's nodes and devices.
TEST(ExportInpCli, WritesAFileEpanetSolves)
{
    TestTempDir dir;
    const QString out = dir.file(QStringLiteral("sample.inp"));
    const CliRun r = Cli({QStringLiteral("export-inp"), kSample, out});
    ASSERT_EQ(r.exit, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    const QByteArray text = ReadAll(out);
    EXPECT_TRUE(text.startsWith("[TITLE]"));
    EXPECT_TRUE(text.contains("Units\tCMH"));
    EXPECT_TRUE(text.contains("Headloss\tC-M"));

    const EpanetOracle::TResult e = EpanetOracle::Solve(out.toStdString());
    EXPECT_EQ(e.Code, 0) << e.Message;
    int nodes = 0;
    for (const auto& [id, head] : e.Heads)
        nodes += id.size() > 1 && id[0] == 'N' ? 1 : 0;
    EXPECT_GT(nodes, 0) << "the mine's nodes keep their numbers";
}

// A mine the calculation refuses (a consumer with a negative flow) writes nothing and leaves
// an older file as it was; so does a file that cannot be read.
TEST(ExportInpCli, RefusalWritesNothing)
{
    TestTempDir dir;
    TNetworkDocument doc = NetworkFile::Read(kSample);
    bool spoiled = false;
    for (TBranch* branch : doc.Mine->Branches)
        for (TPipe* pipe : branch->Pipes)
            for (TDevice* device : pipe->Devices)
                if (!spoiled && device->GetKind() == dkCrane && static_cast<TCrane*>(device)->Consumption()) {
                    static_cast<TCrane*>(device)->SetFlow(-5);
                    spoiled = true;
                }
    ASSERT_TRUE(spoiled) << "the sample mine has a consuming hydrant";
    const QString bad = dir.file(QStringLiteral("bad.irv"));
    NetworkFile::Write(bad, *doc.Mine, doc.Settings, doc.Mine->Branches.ToVector(), 17);

    const QString out = dir.file(QStringLiteral("old.inp"));
    {
        QFile f(out);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    const CliRun r = Cli({QStringLiteral("export-inp"), bad, out});
    EXPECT_EQ(r.exit, 2);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("Расчет не выполнен"))) << r.err.toStdString();
    EXPECT_EQ(ReadAll(out), "old");

    const CliRun missing = Cli({QStringLiteral("export-inp"), dir.file(QStringLiteral("none.irv")), out});
    EXPECT_EQ(missing.exit, 2);
    EXPECT_EQ(ReadAll(out), "old");

    EXPECT_EQ(Cli({QStringLiteral("export-inp"), kSample}).exit, 64);
    EXPECT_EQ(Cli({QStringLiteral("export-inp"), kSample, out, QStringLiteral("--scale"), QStringLiteral("2")}).exit, 64);
}
