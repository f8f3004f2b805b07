#include "core/shell/HelpPages.h"
#include "support/TempDir.h"
#include "ui/app/HelpContexts.h"
#include "ui/app/HelpViewer.h"
#include "ui/common/MessageBoxes.h"

#include "ui/support/Pictures.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QShortcut>
#include <QTest>

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>

namespace {

void writePage(const TestTempDir& dir, const QString& name, const QString& title)
{
    QFile f(dir.file(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("<html><head><title>%1</title></head><body>%1</body></html>").arg(title).toUtf8());
}

}  // namespace

TEST(HelpViewer, ShowsThePageOfTheContextFromTheHelpFolderSetting)
{
    TestTempDir dir;
    writePage(dir, QStringLiteral("index.html"), QStringLiteral("Содержание"));
    writePage(dir, QStringLiteral("topic26.html"), QStringLiteral("Поиск"));

    HelpViewer* viewer = HelpViewer::Show(dir.path() + QLatin1Char('/'), 26);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(QFileInfo(viewer->CurrentPage()), QFileInfo(dir.file(QStringLiteral("topic26.html"))));
    EXPECT_TRUE(viewer->Browser()->toPlainText().contains(QStringLiteral("Поиск")));
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("Поиск"));

    // The same window, now on the contents (an unknown context falls back to them).
    EXPECT_EQ(HelpViewer::Show(dir.path(), 4242), viewer);
    EXPECT_EQ(QFileInfo(viewer->CurrentPage()), QFileInfo(dir.file(QStringLiteral("index.html"))));
    viewer->close();
}

TEST(HelpViewer, ShippedPagesOpen)
{
    HelpViewer* viewer = HelpViewer::Show(QStringLiteral(IRVATA_SOURCE_DIR "/docs/help"), 145);
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->Browser()->toPlainText().contains(QStringLiteral("Список сообщений")));
    viewer->close();
}

TEST(HelpViewer, MissingPagesAreReported)
{
    TestTempDir empty;
    std::vector<TMessageRecord> shown;
    MessageBoxes::SetInterceptor([&](const TMessageRecord& m) {
        shown.push_back(m);
        return TMsgAnswer::Ok;
    });
    EXPECT_EQ(HelpViewer::Show(empty.path(), 14), nullptr);
    MessageBoxes::SetInterceptor({});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Caption, QStringLiteral("Ошибка"));
    EXPECT_TRUE(shown[0].Text.contains(QStringLiteral("index.html")));
}

TEST(HelpViewer, ThePageIsPainted)
{
    HelpViewer* viewer = HelpViewer::Show(QStringLiteral(IRVATA_SOURCE_DIR "/docs/help"), 28);
    ASSERT_NE(viewer, nullptr);
    QApplication::processEvents();
    const QImage picture = Pictures::Take(viewer, QStringLiteral("help"));
    EXPECT_GT(Pictures::InkPixels(picture, picture.rect()), 500) << "the page's text is painted";
    viewer->close();
}

// Help asked from inside a modal dialog must be usable at once, not blocked until the dialog
// closes; afterwards the window is an ordinary one again.
TEST(HelpViewer, OpensAboveAModalDialogAndIsNotBlockedByIt)
{
    TestTempDir dir;
    writePage(dir, QStringLiteral("index.html"), QStringLiteral("Содержание"));
    writePage(dir, QStringLiteral("topic28.html"), QStringLiteral("Настройка"));
    QWidget owner;
    QDialog dialog(&owner);
    dialog.setWindowModality(Qt::ApplicationModal);
    owner.show();
    dialog.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    HelpViewer* viewer = HelpViewer::Show(dir.path(), 28, &dialog);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(QApplication::activeModalWidget(), viewer) << "the help window takes the input, above the dialog";
    viewer->close();
    EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
    dialog.close();
    viewer = HelpViewer::Show(dir.path(), 28);
    EXPECT_EQ(viewer->windowModality(), Qt::NonModal);
    viewer->close();
}

// "Справка" and F1 of a window open the page of that window's context.
TEST(HelpViewer, AttachedButtonAndF1OpenTheWindowsPage)
{
    TestTempDir dir;
    writePage(dir, QStringLiteral("index.html"), QStringLiteral("Содержание"));
    writePage(dir, QStringLiteral("topic102.html"), QStringLiteral("Свойства узла"));
    const QString before = HelpViewer::Folder();
    HelpViewer::SetFolder(dir.path());
    QDialog window;
    HelpContexts::Set(&window, 102);
    auto* help = new QPushButton(QStringLiteral("С&правка"), &window);
    HelpViewer::Attach(&window, help);
    window.show();
    help->click();
    ASSERT_NE(HelpViewer::Instance(), nullptr);
    EXPECT_TRUE(HelpViewer::Instance()->isVisible());
    EXPECT_EQ(QFileInfo(HelpViewer::Instance()->CurrentPage()), QFileInfo(dir.file(QStringLiteral("topic102.html"))));
    HelpViewer::Instance()->close();

    // F1 in the window: its shortcut opens the same page.
    auto* f1 = window.findChild<QShortcut*>();
    ASSERT_NE(f1, nullptr);
    EXPECT_EQ(f1->key(), QKeySequence(Qt::Key_F1));
    emit f1->activated();
    EXPECT_TRUE(HelpViewer::Instance()->isVisible());
    HelpViewer::Instance()->close();
    HelpViewer::SetFolder(before);
}
