// irvata-cli's own command line: usage errors, --help, and a standard error that carries
// only the program's messages.

#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

const QString kSample = QStringLiteral(IRVATA_SOURCE_DIR "/examples/sample_mine.irv");

struct CliRun {
    int exit = -1;
    QString out;
    QString err;
};

CliRun Cli(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(IRVATA_CLI_PATH), args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

const QStringList kCommands = {
    QStringLiteral("info"),     QStringLiteral("dump"),     QStringLiteral("convert"),   QStringLiteral("generate"),
    QStringLiteral("check"),    QStringLiteral("render"),   QStringLiteral("print"),     QStringLiteral("pumps"),
    QStringLiteral("reducers"), QStringLiteral("report"),   QStringLiteral("transform"), QStringLiteral("split"),
    QStringLiteral("merge"),    QStringLiteral("renumber"), QStringLiteral("numbers"),   QStringLiteral("stats"),
    QStringLiteral("devices"),  QStringLiteral("export-inp"),
};

}  // namespace

TEST(CliCommandLine, ABadCommandLineSaysWhyInOneLineAndWhereTheUsageIs)
{
    struct Case {
        QStringList args;
        QString reason;
        QString hint;
    };
    const QString whole = QStringLiteral("Try 'irvata-cli --help' for more information.");
    const Case cases[] = {
        {{}, QStringLiteral("irvata-cli: no command given"), whole},
        {{QStringLiteral("frobnicate")}, QStringLiteral("irvata-cli: unknown command \"frobnicate\""), whole},
        {{QStringLiteral("--help"), QStringLiteral("frobnicate")},
         QStringLiteral("irvata-cli: unknown command \"frobnicate\""), whole},
        {{QStringLiteral("info")}, QStringLiteral("irvata-cli: info takes one file"),
         QStringLiteral("Try 'irvata-cli info --help' for more information.")},
        {{QStringLiteral("render"), kSample, QStringLiteral("x.png"), QStringLiteral("--frob")},
         QStringLiteral("irvata-cli: unknown option --frob"),
         QStringLiteral("Try 'irvata-cli render --help' for more information.")},
    };
    for (const Case& c : cases) {
        const CliRun r = Cli(c.args);
        EXPECT_EQ(r.exit, 64) << c.args.join(u' ').toStdString();
        EXPECT_EQ(r.err, c.reason + u'\n' + c.hint + u'\n') << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST(CliCommandLine, HelpPrintsTheUsageOnStandardOutput)
{
    const CliRun all = Cli({QStringLiteral("--help")});
    EXPECT_EQ(all.exit, 0);
    EXPECT_TRUE(all.err.isEmpty()) << all.err.toStdString();
    EXPECT_TRUE(all.out.startsWith(QStringLiteral("Usage: irvata-cli COMMAND [ARGUMENTS]\n")));
    EXPECT_TRUE(all.out.contains(QStringLiteral("\n64 bad command line.\n")));
    EXPECT_EQ(Cli({QStringLiteral("help")}).out, all.out);
    EXPECT_EQ(Cli({QStringLiteral("-h")}).out, all.out);

    // Every command has its own part of the usage, and it is a part of the whole.
    for (const QString& command : kCommands) {
        const CliRun one = Cli({command, QStringLiteral("--help")});
        EXPECT_EQ(one.exit, 0) << command.toStdString();
        EXPECT_TRUE(one.err.isEmpty()) << command.toStdString();
        const QString head = QStringLiteral("Usage: irvata-cli %1 [ARGUMENTS]\n\n").arg(command);
        ASSERT_TRUE(one.out.startsWith(head + QStringLiteral("  ") + command + u' ')) << one.out.toStdString();
        const QString part = one.out.mid(head.size()).section(QStringLiteral("\nExit status"), 0, 0);
        EXPECT_TRUE(all.out.contains(part)) << command.toStdString();
        EXPECT_FALSE(one.out.contains(QStringLiteral("Commands:")));
    }
    // --help wins over whatever else stands on the line; help names a command too.
    const CliRun render = Cli({QStringLiteral("render"), QStringLiteral("--help")});
    EXPECT_EQ(Cli({QStringLiteral("render"), QStringLiteral("no-such.irv"), QStringLiteral("--bits"), QStringLiteral("--help")}).out,
              render.out);
    EXPECT_EQ(Cli({QStringLiteral("help"), QStringLiteral("render")}).out, render.out);
}

// Qt reports a runtime folder it does not like (unset, as for root, or open to others) on
// standard error; a successful painting command still says nothing there.
TEST(CliCommandLine, PaintingCommandsKeepQtsWarningsOffStandardError)
{
    TestTempDir dir;
    const QString open = dir.file(QStringLiteral("runtime"));
    ASSERT_TRUE(QDir().mkpath(open));
    ASSERT_TRUE(QFile::setPermissions(open, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    QProcessEnvironment unset = QProcessEnvironment::systemEnvironment();
    unset.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    QProcessEnvironment wrong = unset;
    wrong.insert(QStringLiteral("XDG_RUNTIME_DIR"), open);

    for (const QProcessEnvironment& env : {unset, wrong}) {
        const QString tag = env.value(QStringLiteral("XDG_RUNTIME_DIR"), QStringLiteral("unset"));
        const QList<QStringList> runs = {
            {QStringLiteral("render"), kSample, dir.file(QStringLiteral("s.png")), QStringLiteral("--scale"), QStringLiteral("20")},
            {QStringLiteral("print"), kSample, dir.file(QStringLiteral("s.pdf")), QStringLiteral("--fit-paper"), QStringLiteral("A4")},
            {QStringLiteral("report"), kSample, dir.file(QStringLiteral("r.pdf")), QStringLiteral("--nodes")},
        };
        for (const QStringList& args : runs) {
            const CliRun r = Cli(args, env);
            EXPECT_EQ(r.exit, 0) << args.first().toStdString() << " " << tag.toStdString() << ": " << r.err.toStdString();
            EXPECT_EQ(r.err, QString()) << args.first().toStdString() << " " << tag.toStdString();
        }
    }
    // The program's own messages still reach standard error.
    const CliRun missing = Cli({QStringLiteral("render"), dir.file(QStringLiteral("missing.irv")), dir.file(QStringLiteral("m.png"))}, unset);
    EXPECT_EQ(missing.exit, 2);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("missing.irv"))) << missing.err.toStdString();
}
