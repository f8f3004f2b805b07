// irvata-cli report: the real program, its PDF read back with the poppler tools when present.

#include "support/MineBuilder.h"
#include "support/TempDir.h"

#include "core/file/NetworkFile.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

const QString kSample = QStringLiteral(IRVATA_SOURCE_DIR "/examples/sample_mine.irv");

struct ReportRun {
    int exit = -1;
    QString out;
    QString err;
};

ReportRun Report(const QStringList& args)
{
    QProcess p;
    p.start(QStringLiteral(IRVATA_CLI_PATH), QStringList{QStringLiteral("report")} + args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// The output of a poppler tool, or nothing when the tool is not installed.
std::optional<QString> Poppler(const QString& tool, const QStringList& args)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return std::nullopt;
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString TwoNodeMine(const TestTempDir& dir)
{
    MineBuilder b;
    b.mine().SetName(QStringLiteral("Южная"));
    b.uzel(1, 0, 0);
    b.uzel(2, 200, 0);
    b.branch(5, 1, 2);
    const QString path = dir.file(QStringLiteral("two.irv"));
    NetworkFile::Write(path, b.mine(), TDocumentSettings::Defaults(), {}, 17);
    return path;
}

}  // namespace

TEST(ReportCli, SampleMinePrintsEveryTableOnA4Pages)
{
    TestTempDir dir;
    const QString pdf = dir.file(QStringLiteral("report.pdf"));
    const ReportRun run = Report({kSample, pdf});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("^pages (\\d+)\\n$")).match(run.out);
    ASSERT_TRUE(pages.hasMatch()) << run.out.toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF-"));

    const auto info = Poppler(QStringLiteral("pdfinfo"), {pdf});
    if (!info)
        GTEST_SKIP() << "poppler-utils not installed";
    EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages.captured(1)))));
    EXPECT_TRUE(info->contains(QStringLiteral("(A4)")));
    const QString text = *Poppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    for (const char* expected : {"Программа расчета расчета подземного пожарно-оросительного", "Исходные данные.",
                                 "Файл \"sample_mine.irv\"", "Топологическая таблица узлов",
                                 "Топологическая таблица ветвей", "Таблица устройств (все оборудование)",
                                 "Координата", "Пожарная машина", "Страница 1", "Страница 3"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
}

TEST(ReportCli, TwoNodeMineTitlePageAndTheChosenTablesOnly)
{
    TestTempDir dir;
    const QString mine = TwoNodeMine(dir);
    const QString pdf = dir.file(QStringLiteral("two.pdf"));
    const ReportRun run = Report({mine, pdf, QStringLiteral("--title"), QStringLiteral("--nodes")});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("pages 2\n"));
    const auto text = Poppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!text)
        GTEST_SKIP() << "poppler-utils not installed";
    EXPECT_TRUE(text->contains(QStringLiteral("Шахта \"Южная\"")));
    EXPECT_TRUE(text->contains(QStringLiteral("узлов: 2")));
    EXPECT_TRUE(text->contains(QStringLiteral("Топологическая таблица узлов")));
    EXPECT_FALSE(text->contains(QStringLiteral("Топологическая таблица ветвей")));
    EXPECT_TRUE(text->contains(QStringLiteral("200.0")));
}

TEST(ReportCli, EmptyReportWritesNoFileAndSaysSo)
{
    TestTempDir dir;
    MineBuilder empty;
    const QString mine = dir.file(QStringLiteral("empty.irv"));
    NetworkFile::Write(mine, empty.mine(), TDocumentSettings::Defaults(), {}, 17);
    const QString pdf = dir.file(QStringLiteral("none.pdf"));
    const ReportRun run = Report({mine, pdf, QStringLiteral("--nodes"), QStringLiteral("--branches"),
                                  QStringLiteral("--devices")});
    EXPECT_EQ(run.exit, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Нечего печатать"))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));

    EXPECT_EQ(Report({kSample, dir.file(QStringLiteral("r.png"))}).exit, 64);
    EXPECT_EQ(Report({dir.file(QStringLiteral("missing.irv")), pdf}).exit, 2);
    EXPECT_FALSE(QFile::exists(pdf));
}
