#include "ui/document/DocumentTestSupport.h"

#include "core/commands/CommandData.h"
#include "ui/app/MainForm.h"

#include <QAction>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

namespace {

using MainFrame = DocumentTest;

TEST_F(MainFrame, OpeningAnOpenFileBringsItsWindowForward)
{
    const QString a = WriteMine(QStringLiteral("a.irv"), Line);
    const QString b = WriteMine(QStringLiteral("b.irv"), Line);
    TMainForm main(config);
    TChildForm* first = main.OpenPath(a);
    ASSERT_NE(first, nullptr);
    TChildForm* second = main.OpenPath(b);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(main.ActiveDocument(), second);
    EXPECT_EQ(main.OpenPath(a), first);
    EXPECT_EQ(main.MdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(main.ActiveDocument(), first);
    // Only files actually read go to the top of the recent list.
    EXPECT_EQ(config.RecentFiles.value(0), b);
}

TEST_F(MainFrame, NamesDifferingInCaseAreDifferentFiles)
{
    const QString lower = WriteMine(QStringLiteral("mine.irv"), Line);
    const QString upper = WriteMine(QStringLiteral("Mine.irv"), Line);
    TMainForm main(config);
    ASSERT_NE(main.OpenPath(lower), nullptr);
    ASSERT_NE(main.OpenPath(upper), nullptr);
    EXPECT_EQ(main.MdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(main.FindDocument(upper)->FileName(), upper);
}

TEST_F(MainFrame, AFileThatCannotBeOpenedLeavesNoWindow)
{
    const QString junk = FilePath(QStringLiteral("junk.irv"));
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(40, '\x7f'));
    f.close();
    TMainForm main(config);
    EXPECT_EQ(main.OpenPath(junk), nullptr);
    EXPECT_EQ(main.OpenPath(FilePath(QStringLiteral("absent.irv"))), nullptr);
    EXPECT_TRUE(main.MdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(config.RecentFiles.isEmpty());
    EXPECT_EQ(messages.shown.size(), 2u);
}

TEST_F(MainFrame, CommandsFollowTheActiveDocument)
{
    TMainForm main(config);
    main.UpdateActions();
    EXPECT_TRUE(main.Action(QStringLiteral("actFileNew"))->isEnabled());
    EXPECT_TRUE(main.Action(QStringLiteral("actFileOpen"))->isEnabled());
    EXPECT_FALSE(main.Action(QStringLiteral("actFileSaveAs"))->isEnabled());
    EXPECT_FALSE(main.Action(QStringLiteral("actCheckWaterPipes"))->isEnabled());
    EXPECT_EQ(main.Action(QStringLiteral("actFileOpen"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));

    TChildForm* doc = main.NewDocument();
    main.UpdateActions();
    EXPECT_TRUE(main.Action(QStringLiteral("actFileSaveAs"))->isEnabled());
    EXPECT_FALSE(main.Action(QStringLiteral("actFileSave"))->isEnabled()) << "nothing changed yet";
    doc->AddUzel();
    main.UpdateActions();
    EXPECT_TRUE(main.Action(QStringLiteral("actFileSave"))->isEnabled());
    EXPECT_EQ(main.StatusPanelText(3), QStringLiteral("Изменен"));
    EXPECT_EQ(main.StatusPanelText(1), QStringLiteral("1/1"));

    // While a check runs, only the messages command can be used.
    doc->Busy().Raise();
    main.UpdateActions();
    EXPECT_FALSE(main.Action(QStringLiteral("actFileNew"))->isEnabled());
    EXPECT_TRUE(main.Action(QStringLiteral("actMessageView"))->isEnabled());
    doc->Busy().Lower();
    main.UpdateActions();
    EXPECT_TRUE(main.Action(QStringLiteral("actFileNew"))->isEnabled());
    messages.Answer(TMsgAnswer::No);
}

TEST_F(MainFrame, StartingWithoutFilesReopensTheLastOneWhenAsked)
{
    const QString a = WriteMine(QStringLiteral("a.irv"), Line);
    config.RecentFiles = {a};
    config.WasOpened = true;
    {
        TMainForm main(config);
        main.OpenStartupFiles({});
        ASSERT_EQ(main.Documents().size(), 1);
        EXPECT_TRUE(main.close());
    }
    EXPECT_TRUE(config.WasOpened);
    config.RememberLastFile = false;
    TMainForm main(config);
    main.OpenStartupFiles({});
    EXPECT_TRUE(main.Documents().isEmpty());
}

}  // namespace

namespace {

// Exit with several modified documents: the first "Отмена" cancels the whole exit, and the
// modified ones carry their mark in the frame and in the "Окно" menu.
TEST_F(MainFrame, TheFirstCancelOfTheExitKeepsEveryDocument)
{
    TMainForm main(config);
    main.show();
    TChildForm* a = main.OpenPath(WriteMine(QStringLiteral("a.irv"), Line));
    TChildForm* b = main.OpenPath(WriteMine(QStringLiteral("b.irv"), Line));
    ASSERT_TRUE(a && b);
    EXPECT_FALSE(a->isWindowModified());
    a->AddUzel();
    b->AddUzel();
    EXPECT_TRUE(a->isWindowModified());

    QMenu* windowMenu = main.menuBar()->findChild<QMenu*>(QString::fromLatin1(kWindowMenuName));
    ASSERT_NE(windowMenu, nullptr);
    emit windowMenu->aboutToShow();
    QStringList listed;
    for (const QAction* action : windowMenu->actions())
        listed << action->text();
    EXPECT_TRUE(listed.contains(QStringLiteral("&1 a.irv*"))) << listed.join(u'|').toStdString();
    EXPECT_TRUE(listed.contains(QStringLiteral("&2 b.irv*"))) << listed.join(u'|').toStdString();

    messages.Answer(TMsgAnswer::Cancel);
    EXPECT_FALSE(main.close());
    EXPECT_EQ(messages.shown.size(), 1u) << "one question, not one per document";
    EXPECT_EQ(main.MdiArea()->subWindowList().size(), 2);
    EXPECT_TRUE(main.isVisible());

    messages.Answer(TMsgAnswer::No);
    messages.Answer(TMsgAnswer::No);
    EXPECT_TRUE(main.close());
    EXPECT_EQ(messages.shown.size(), 3u);
}

}  // namespace
