#include "support/MineBuilder.h"
#include "support/TempDir.h"

#include "core/services/BranchSplit.h"
#include "core/services/MineMerge.h"
#include "core/services/NodeTransform.h"
#include "core/file/NetworkFile.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int exit = -1;
    QString err;
};

CliRun Cli(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(IRVATA_CLI_PATH), args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError())};
}

QByteArray Contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Nodes 1 (0, 0), 2 (300, 0) and 3 (0, 100, a surface node); branch 1: 1 -> 2 with a fire
// pipe and a gate 10 at 0.5, branch 2: 1 -> 3.
void WriteSmallMine(const QString& path, const QString& name)
{
    MineBuilder mb;
    mb.mine().SetName(name);
    mb.uzel(1, 0, 0, 0);
    mb.uzel(2, 300, 0, 0);
    mb.uzel(3, 0, 100, 0)->SetSurface(true);
    mb.device(mb.firePipe(1, 1, 2), dkGate, 0.5, 10);
    mb.branch(2, 1, 3);
    NetworkFile::Write(path, mb.mine(), TDocumentSettings::Defaults(), {}, kCurrentStreamVersion);
}

struct EditingCli : ::testing::Test {
    TestTempDir dir;
    QString in = dir.file(QStringLiteral("in.irv"));
    QString out = dir.file(QStringLiteral("out.irv"));
    void SetUp() override { WriteSmallMine(in, QStringLiteral("A")); }
    TNetworkDocument Output() const { return NetworkFile::Read(out); }
};

}  // namespace

TEST_F(EditingCli, TransformShiftsScalesRotatesAndSwapsTheChosenNodes)
{
    CliRun r = Cli({QStringLiteral("transform"), in, out, QStringLiteral("--nodes"), QStringLiteral("2"),
                 QStringLiteral("--shift"), QStringLiteral("10,20,30"), QStringLiteral("--scale"), QStringLiteral("2,1,1")});
    ASSERT_EQ(r.exit, 0) << r.err.toStdString();
    TNetworkDocument doc = Output();
    EXPECT_DOUBLE_EQ(doc.Mine->FirstUzelWithNumber(2)->X(), 610);
    EXPECT_DOUBLE_EQ(doc.Mine->FirstUzelWithNumber(2)->Z(), 30);
    EXPECT_DOUBLE_EQ(doc.Mine->FirstUzelWithNumber(1)->Y(), 0);

    r = Cli({QStringLiteral("transform"), in, out, QStringLiteral("--rotate"), QStringLiteral("90"), QStringLiteral("--about"),
             QStringLiteral("100,50"), QStringLiteral("--map-scale"), QStringLiteral("1000")});
    ASSERT_EQ(r.exit, 0) << r.err.toStdString();
    doc = Output();
    EXPECT_NEAR(doc.Mine->FirstUzelWithNumber(2)->X(), 50, 1e-9);
    EXPECT_NEAR(doc.Mine->FirstUzelWithNumber(2)->Y(), -150, 1e-9);
    // Schema (300, 0) about (100, 50) × 3.8 = (380, 190).
    EXPECT_NEAR(doc.Mine->FirstUzelWithNumber(2)->SX(), 190, 1e-3);

    ASSERT_EQ(Cli({QStringLiteral("transform"), in, out, QStringLiteral("--swap-xy"), QStringLiteral("--schema-only")}).exit, 0);
    doc = Output();
    EXPECT_DOUBLE_EQ(doc.Mine->FirstUzelWithNumber(3)->Y(), 100);
    EXPECT_FLOAT_EQ(doc.Mine->FirstUzelWithNumber(3)->SX(), 100);
}

TEST_F(EditingCli, RefusalsGoToStandardErrorAndWriteNothing)
{
    CliRun r = Cli({QStringLiteral("transform"), in, out, QStringLiteral("--scale"), QStringLiteral("1,0,1")});
    EXPECT_EQ(r.exit, 2);
    EXPECT_TRUE(r.err.contains(NodeTransform::kZeroScale)) << r.err.toStdString();
    EXPECT_EQ(Cli({QStringLiteral("transform"), in, out, QStringLiteral("--swap-xy"), QStringLiteral("--rotate"),
                   QStringLiteral("5")})
                  .exit,
              64);
    r = Cli({QStringLiteral("split"), in, out, QStringLiteral("--branch"), QStringLiteral("1"), QStringLiteral("--insert"),
             QStringLiteral("2"), QStringLiteral("--node-numbers"), QStringLiteral("7,3")});
    EXPECT_EQ(r.exit, 2);
    EXPECT_TRUE(r.err.contains(BranchSplit::kUzelNumberUsed.arg(3))) << r.err.toStdString();
    r = Cli({QStringLiteral("merge"), in, in, out, QStringLiteral("--first-node"), QStringLiteral("5")});
    EXPECT_EQ(r.exit, 2);
    EXPECT_TRUE(r.err.contains(MineMerge::kUzelsFrom.arg(11))) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(EditingCli, SplitNumbersAfterTheLargestFreeOrGiven)
{
    const QStringList split{QStringLiteral("split"), in, out, QStringLiteral("--branch"), QStringLiteral("1"),
                            QStringLiteral("--insert"), QStringLiteral("2")};
    ASSERT_EQ(Cli(split).exit, 0);
    TNetworkDocument doc = Output();
    EXPECT_EQ(doc.Mine->Branches.Count(), 4);
    // The pieces stand in the stored drawing order where the branch stood.
    ASSERT_EQ(doc.BranchOrder.size(), 4u);
    EXPECT_DOUBLE_EQ(doc.Mine->FirstUzelWithNumber(5)->X(), 200);
    EXPECT_GE(doc.Mine->Branches.IndexOfNumber(4), 0);

    ASSERT_EQ(Cli(split + QStringList{QStringLiteral("--free")}).exit, 0);
    doc = Output();
    EXPECT_NE(doc.Mine->FirstUzelWithNumber(4), nullptr);
    EXPECT_NE(doc.Mine->FirstUzelWithNumber(5), nullptr);
    EXPECT_GE(doc.Mine->Branches.IndexOfNumber(3), 0);

    ASSERT_EQ(Cli(split + QStringList{QStringLiteral("--node-numbers"), QStringLiteral("50,60"),
                                      QStringLiteral("--branch-numbers"), QStringLiteral("70,80")})
                  .exit,
              0);
    doc = Output();
    const TBranch* last = doc.Mine->Branches.Items(doc.Mine->Branches.IndexOfNumber(80));
    EXPECT_EQ(last->StartNumber(), 60);
    EXPECT_EQ(last->EndNumber(), 2);
    // The gate at the middle now sits at the middle of the middle piece.
    const TBranch* middle = doc.Mine->Branches.Items(doc.Mine->Branches.IndexOfNumber(70));
    ASSERT_EQ(middle->FirePipe()->Devices.Count(), 1);
    EXPECT_NEAR(middle->FirePipe()->Devices.First()->Position(), 0.5, 1e-9);
}

TEST_F(EditingCli, MergeLeavesBothSourcesByteForByte)
{
    const QString attached = dir.file(QStringLiteral("b.irv"));
    WriteSmallMine(attached, QStringLiteral("B"));
    const QByteArray baseBytes = Contents(in), attachedBytes = Contents(attached);
    const CliRun r = Cli({QStringLiteral("merge"), in, attached, out, QStringLiteral("--dx"), QStringLiteral("500"),
                       QStringLiteral("--first-branch"), QStringLiteral("10")});
    ASSERT_EQ(r.exit, 0) << r.err.toStdString();
    EXPECT_EQ(Contents(in), baseBytes);
    EXPECT_EQ(Contents(attached), attachedBytes);
    const TNetworkDocument doc = Output();
    EXPECT_EQ(doc.Mine->Name(), QStringLiteral("A + B"));
    EXPECT_EQ(doc.Mine->Uzels.Count(), 6);
    // Nodes 1-3 and the gate 10 from 11: nodes 11-13, gate 20; branches from 10.
    EXPECT_DOUBLE_EQ(doc.Mine->FirstUzelWithNumber(12)->X(), 800);
    const TBranch* b = doc.Mine->Branches.Items(doc.Mine->Branches.IndexOfNumber(10));
    EXPECT_EQ(b->StartNumber(), 11);
    EXPECT_EQ(b->FirePipe()->Devices.First()->Number(), 20);
}
