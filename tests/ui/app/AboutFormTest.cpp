#include "core/system/SystemFacts.h"
#include "support/TempDir.h"
#include "ui/app/AboutForm.h"
#include "ui/common/MessageBoxes.h"

#include "ui/support/Pictures.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

SystemFacts facts(int processors)
{
    SystemFacts f;
    f.osName = QStringLiteral("Test OS");
    f.processor = QStringLiteral("AMD64");
    f.processorCount = processors;
    f.memoryTotal = 2048;
    f.computerName = QStringLiteral("pc");
    f.userName = QStringLiteral("user");
    f.drives.push_back({QStringLiteral("/"), DriveType::Fixed, 1000000, 1000, 999});
    return f;
}

}  // namespace

TEST(AboutForm, NameLineAndReport)
{
    int calls = 0;
    TAboutForm about(nullptr, [&] { return facts(++calls); });
    EXPECT_EQ(about.windowTitle(), QStringLiteral("О программе "));
    EXPECT_EQ(about.NameLabel()->text(), QStringLiteral("Ирвата 1.0 (1.0.0.0)"));
    EXPECT_TRUE(about.ReportView()->isReadOnly());
    EXPECT_TRUE(about.ReportLines().contains(QStringLiteral("Кол-во процессоров:\t1")));
    EXPECT_TRUE(about.ReportView()->toPlainText().contains(QStringLiteral("Оперативная память [б]: 2,048 (доступно 0)")));
    EXPECT_TRUE(about.ReportView()->toPlainText().contains(QStringLiteral("Всего [б]:\t1,000,000")));

    about.RefreshButton()->click();
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(about.ReportLines().contains(QStringLiteral("Кол-во процессоров:\t2"))) << "refresh reads the facts anew";

    QStringList buttons;
    for (QPushButton* b : about.findChildren<QPushButton*>())
        buttons << b->text();
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("Обновить"), QStringLiteral("Сохранить"), QStringLiteral("O&K")}));
}

TEST(AboutForm, SavedAsText)
{
    TestTempDir dir;
    TAboutForm about(nullptr, [] { return facts(4); });
    const QString path = dir.file(QStringLiteral("report.txt"));
    ASSERT_TRUE(about.SaveReport(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList saved = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    EXPECT_EQ(saved.mid(0, saved.size() - 1), about.ReportLines());
    EXPECT_EQ(saved.last(), QString()) << "every line ends with a line feed";
}

TEST(AboutForm, SaveFailureIsShown)
{
    std::vector<TMessageRecord> shown;
    MessageBoxes::SetInterceptor([&](const TMessageRecord& m) {
        shown.push_back(m);
        return TMsgAnswer::Ok;
    });
    TAboutForm about(nullptr, [] { return facts(1); });
    EXPECT_FALSE(about.SaveReport(QStringLiteral("/nonexistent-folder/sub/report.txt")));
    MessageBoxes::SetInterceptor({});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Caption, QStringLiteral("Ошибка"));
    EXPECT_TRUE(shown[0].Text.contains(QStringLiteral("report.txt")));
}

TEST(AboutForm, TheBoxIsLaidOutAndShowsTheReport)
{
    TAboutForm about;  // the real system
    about.show();
    QApplication::processEvents();
    const QImage picture = Pictures::Take(&about, QStringLiteral("about"));
    EXPECT_EQ(Pictures::FieldsOutside(&about), "");
    const auto* report = about.findChild<QPlainTextEdit*>();
    ASSERT_NE(report, nullptr);
    EXPECT_GT(Pictures::InkPixels(picture, Pictures::AreaOf(report->viewport(), &about, picture)), 200)
        << "the report's lines are painted";
}
