#include "CheckFixture.h"
#include "support/TempDir.h"

#include "core/file/NetworkFile.h"

#include <QProcess>

namespace {
struct CliRun {
    int exit = -1;
    QByteArray out;
    QString err;
};

// The sound mine with a projected spur at node 3 carrying a hydrant.
struct CheckCli : CheckFixture {
    TestTempDir dir;

    void SetUp() override
    {
        BuildFedHydrant();
        b.uzel(4, 200, 0, -100);
        TBranch* spur = b.firePipe(3, 3, 4);
        spur->FirePipe()->SetProjected(true);
        b.device(spur, dkCrane, 1, 301);
    }
    QString Save(bool useProjectedPipes)
    {
        TDocumentSettings settings = TDocumentSettings::Defaults();
        settings.UseProjectedPipes = useProjectedPipes;
        const QString path = dir.file(QStringLiteral("шахта.irv"));
        NetworkFile::Write(path, b.mine(), settings, b.mine().Branches.ToVector(), 17);
        return path;
    }
    static CliRun Check(const QStringList& args)
    {
        QProcess p;
        p.start(QStringLiteral(IRVATA_CLI_PATH), QStringList{QStringLiteral("check")} + args);
        EXPECT_TRUE(p.waitForFinished(60000));
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
                QString::fromUtf8(p.readAllStandardError())};
    }
    static QByteArray Text(const QStringList& lines) { return (lines.join(u'\n') + u'\n').toUtf8(); }
};

const QString kSpurWarning = Warn(1, QStringLiteral("выработка 3 - устройства при отсутствии трубопровода"));
}  // namespace

TEST_F(CheckCli, PrintsTheMessageListOfThePipelineCheckLineByLine)
{
    const QString path = Save(false);
    const CliRun run = Check({path});
    EXPECT_EQ(run.exit, 0) << "warnings are no errors";
    const QStringList expected{kUzelsOk, kBranchesOk, kNetworkOk, kDevicesOk, kPipelineHeader, kSpurWarning, ""};
    EXPECT_EQ(run.out, Text(expected));
    EXPECT_EQ(Pipeline(), expected) << "the same as the document's own list";
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();

    EXPECT_EQ(Check({QStringLiteral("--pipeline"), QStringLiteral("--no-warnings"), path}).out,
              Text({kUzelsOk, kBranchesOk, kNetworkOk, kDevicesOk, kPipelineOk}));
}

TEST_F(CheckCli, TheFilesOwnProjectedSwitchHoldsUnlessTheCommandLineSaysOtherwise)
{
    const QString path = Save(true);
    const QByteArray clean = Text({kUzelsOk, kBranchesOk, kNetworkOk, kDevicesOk, kPipelineOk});
    EXPECT_EQ(Check({path}).out, clean);
    EXPECT_EQ(Check({path, QStringLiteral("--no-projected")}).out,
              Text({kUzelsOk, kBranchesOk, kNetworkOk, kDevicesOk, kPipelineHeader, kSpurWarning, ""}));
    EXPECT_EQ(Check({QStringLiteral("--projected"), Save(false)}).out, clean);
}

TEST_F(CheckCli, ErrorsGiveStatusOne)
{
    b.uzel(99, 5, 5, 5);
    const CliRun run = Check({QStringLiteral("--topology"), Save(false)});
    EXPECT_EQ(run.exit, 1);
    EXPECT_EQ(run.out, Text({kUzelsOk, kBranchesOk, "Проверка топологической сети ... ",
                             Err(1, "найден изолированный узел 99"), ""}));
}

TEST_F(CheckCli, FreeNumbers)
{
    b.uzel(9, 5, 5, 5);
    const CliRun run = Check({Save(false), QStringLiteral("--free")});
    EXPECT_EQ(run.exit, 0);
    EXPECT_EQ(run.out, Text({"Номера узлов ...", " - найдены свободные номера 5 - 8",
                             "Номера ветвей ... .. разрывов в нумерации не найдено", ""}));
}

TEST_F(CheckCli, AFileThatCannotBeReadGivesStatusTwo)
{
    const CliRun missing = Check({dir.file(QStringLiteral("нет.irv"))});
    EXPECT_EQ(missing.exit, 2);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_FALSE(missing.err.isEmpty());

    const CliRun conflicting = Check({QStringLiteral("--topology"), QStringLiteral("--free"), Save(false)});
    EXPECT_EQ(conflicting.exit, 64) << "a bad command line is not a finding";
    EXPECT_TRUE(conflicting.out.isEmpty());
    EXPECT_TRUE(conflicting.err.contains(QStringLiteral("irvata-cli check --help")));
}
