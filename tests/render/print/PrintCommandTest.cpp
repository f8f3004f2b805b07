// irvata-cli print, run as a script runs it, and its PDF read back with the poppler tools
// when the machine has them.

#include "support/MineBuilder.h"
#include "support/TempDir.h"

#include "core/schema/SchemaPositions.h"
#include "core/file/NetworkFile.h"
#include "core/model/Uzel.h"
#include "core/printing/PassportFile.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

struct CliRun {
    int exit = -1;
    QString out;
    QString err;
};

CliRun Cli(const QStringList& args)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(IRVATA_CLI_PATH), args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// Output of a poppler tool, or none when it is not installed.
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

int PageCount(const QString& pdf)
{
    if (const auto info = Poppler(QStringLiteral("pdfinfo"), {pdf})) {
        const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(*info);
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }
    QFile f(pdf);
    f.open(QIODevice::ReadOnly);
    return int(f.readAll().count("/Type /Page\n") + 0);
}

// A fire pipe between nodes at (0, 0) and (x, y) metres.
QString TwoNodeMine(const TestTempDir& dir, double x, double y)
{
    MineBuilder m;
    const double f = SchemaFactor(kDefaultMapScale);
    m.uzel(1, 0, 0);
    TUzel* b = m.uzel(2, x, y);
    b->SetSX(float(x * f));
    b->SetSY(float(-y * f));
    m.firePipe(1, 1, 2);
    const QString path = dir.file(QStringLiteral("mine.irv"));
    NetworkFile::Write(path, m.mine(), TDocumentSettings::Defaults(), m.mine().Branches.ToVector(), 17);
    return path;
}

}  // namespace

TEST(PrintCommand, OneSheetWithLegendTitleBlockAndPageNumber)
{
    TestTempDir dir;
    const QString mine = TwoNodeMine(dir, 200, 0);
    TPasport passport;
    passport.Name.Lines = QStringList{QStringLiteral("Шахта Северная")};
    passport.Shapka.Cells[44] = QStringLiteral("План ликвидации");
    const QString passportFile = dir.file(QStringLiteral("p.txt"));
    PassportFile::Write(passportFile, TPassportFileContent::From(passport, DefaultSymbols()));

    const QString pdf = dir.file(QStringLiteral("s.pdf"));
    const CliRun run = Cli({QStringLiteral("print"), mine, pdf, QStringLiteral("--legend"), QStringLiteral("--passport"),
                         passportFile, QStringLiteral("--paper"), QStringLiteral("A3")});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    // A3 is laid landscape: legend, schema and title block fit one sheet.
    EXPECT_EQ(run.out, QStringLiteral("sheets 1/1\n"));
    EXPECT_EQ(PageCount(pdf), 1);
    if (const auto info = Poppler(QStringLiteral("pdfinfo"), {pdf})) {
        EXPECT_TRUE(info->contains(QStringLiteral("1191 x 842 pts"))) << info->toStdString();
    }
    if (const auto text = Poppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})) {
        for (const char* expected : {"Шахта Северная", "СХЕМА", "ПРОТИВОПОЖАРНОГО", "Условные обозначения",
                                     "Главный инженер:", "Должность", "Стадия", "План ликвидации",
                                     "Страница 1"})
            EXPECT_TRUE(text->contains(QString::fromUtf8(expected))) << expected;
        EXPECT_FALSE(text->contains(QStringLiteral("Цвета диаметров труб")));  // it expands to the diameters
        EXPECT_TRUE(text->contains(QStringLiteral("150 мм")));
    }
}

TEST(PrintCommand, SelectedSheetsTimesCopies)
{
    TestTempDir dir;
    const QString mine = TwoNodeMine(dir, 400, 600);
    const QString pdf = dir.file(QStringLiteral("s.pdf"));
    const CliRun run = Cli({QStringLiteral("print"), mine, pdf, QStringLiteral("--sheets"), QStringLiteral("1,3,4"),
                         QStringLiteral("--copies"), QStringLiteral("2")});
    ASSERT_EQ(run.exit, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("sheets 6/8\n"));
    EXPECT_EQ(PageCount(pdf), 6);
    if (const auto info = Poppler(QStringLiteral("pdfinfo"), {pdf})) {
        EXPECT_TRUE(info->contains(QStringLiteral("595 x 842 pts")));
    }
    if (const auto text = Poppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})) {
        EXPECT_EQ(text->count(QStringLiteral("Страница 4")), 2);
        EXPECT_EQ(text->count(QStringLiteral("Страница 2")), 0);
    }

    // Fitted to A4 it takes one sheet; without page numbers no "Страница".
    const CliRun fitted = Cli({QStringLiteral("print"), mine, pdf, QStringLiteral("--fit-paper"), QStringLiteral("A4"),
                            QStringLiteral("--no-page-numbers"), QStringLiteral("--bw")});
    ASSERT_EQ(fitted.exit, 0) << fitted.err.toStdString();
    EXPECT_EQ(fitted.out, QStringLiteral("sheets 1/1\n"));
    if (const auto text = Poppler(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})) {
        EXPECT_FALSE(text->contains(QStringLiteral("Страница")));
    }
}

TEST(PrintCommand, RefusesWhatTheDialogRefusesAndLeavesNoFile)
{
    TestTempDir dir;
    const QString mine = TwoNodeMine(dir, 200, 0);
    const QString pdf = dir.file(QStringLiteral("s.pdf"));
    const auto refused = [&](const QStringList& options, const QString& message) {
        const CliRun run = Cli(QStringList{QStringLiteral("print"), mine, pdf} + options);
        EXPECT_EQ(run.exit, 2) << options.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(pdf));
    };
    refused({QStringLiteral("--margins"), QStringLiteral("19.5,1,1,1")},
            QStringLiteral("Левое поле не должно превышать 19 см"));
    refused({QStringLiteral("--scale"), QStringLiteral("0")}, QStringLiteral("Слишком маленький масштаб"));
    refused({QStringLiteral("--scale"), QStringLiteral("200000")}, QStringLiteral("Слишком большой масштаб"));
    refused({QStringLiteral("--paper"), QStringLiteral("A5"), QStringLiteral("--margins"), QStringLiteral("1,6,1,6"),
             QStringLiteral("--legend"), QStringLiteral("--fit-paper"), QStringLiteral("A5")},
            QStringLiteral("Нельзя задать размер схемы в соответствие\r\nс выбранным форматом при включенной легенде"));
    refused({QStringLiteral("--sheets"), QStringLiteral("2")}, QStringLiteral("Листа 2 нет"));
    refused({QStringLiteral("--passport"), dir.file(QStringLiteral("none.txt"))},
            QStringLiteral("Произошла ошибка при чтении из файла"));

    EXPECT_EQ(Cli({QStringLiteral("print"), mine, pdf, QStringLiteral("--paper"), QStringLiteral("B4")}).exit, 64);
    EXPECT_EQ(Cli({QStringLiteral("print"), mine, dir.file(QStringLiteral("s.png"))}).exit, 64);
    EXPECT_FALSE(QFile::exists(pdf));
}
