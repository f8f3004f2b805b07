// The main window as a whole: commands from the table, opening from outside, toolbar layout
// kept between runs, the go-to targets, the first start.

#include "ui/document/DocumentTestSupport.h"

#include "core/commands/CommandData.h"
#include "core/model/Branch.h"
#include "core/model/GotoList.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "ui/app/DevicePanel.h"
#include "ui/app/MainForm.h"
#include "ui/app/SingleInstance.h"
#include "ui/app/Startup.h"

#include "ui/document/GridView.h"
#include "ui/support/BesideEventLoop.h"
#include "ui/support/Pictures.h"

#include <QAction>
#include <algorithm>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QMimeData>
#include <QSignalSpy>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QUrl>
#include <QUuid>

namespace {

using MainWindow = DocumentTest;

// Every action reachable from the menu bar, submenus included.
void CollectMenuActions(const QList<QAction*>& actions, QList<QAction*>& out)
{
    for (QAction* a : actions) {
        if (a->menu())
            CollectMenuActions(a->menu()->actions(), out);
        else if (!a->isSeparator())
            out << a;
    }
}

void Drop(QWidget* target, const QStringList& files)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& f : files)
        urls << QUrl::fromLocalFile(f);
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted()) << "files are welcome";
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
}

TEST_F(MainWindow, WithoutADocumentExactlyTheAlwaysCommandsAreEnabled)
{
    TMainForm main(config);
    main.UpdateActions();
    for (const CommandInfo& command : CommandTable()) {
        QAction* action = main.Action(command.Name());
        ASSERT_NE(action, nullptr) << command.name;
        const bool expected = command.presence == CommandPresence::Ready && command.rule == CommandRule::Always;
        EXPECT_EQ(action->isEnabled(), expected) << command.name;
    }
}

TEST_F(MainWindow, WhileACheckRunsOnlyTheMessagesCommandWorks)
{
    TMainForm main(config);
    const QString a = WriteMine(QStringLiteral("a.irv"), Line);
    TChildForm* doc = main.OpenPath(a);
    ASSERT_NE(doc, nullptr);
    doc->Busy().Raise();
    main.UpdateActions();
    for (const CommandInfo& command : CommandTable())
        EXPECT_EQ(main.Action(command.Name())->isEnabled(), command.name == std::string_view("actMessageView"))
            << command.name;
    EXPECT_FALSE(main.close()) << "the window stays while a check runs";
    doc->Busy().Lower();
    main.UpdateActions();
    EXPECT_TRUE(main.Action(QStringLiteral("actGoto"))->isEnabled());
}

TEST_F(MainWindow, MenusAndToolbarsOfferOnlyCommandsThatWork)
{
    TMainForm main(config);
    QList<QAction*> shown;
    CollectMenuActions(main.menuBar()->actions(), shown);
    for (QToolBar* bar : main.ToolBars())
        CollectMenuActions(bar->actions(), shown);
    ASSERT_FALSE(shown.isEmpty());
    for (QAction* a : shown) {
        if (!a->objectName().startsWith(QLatin1String("act")))
            continue;  // recent files, window list, calculator
        const CommandInfo* command = FindCommand(a->objectName());
        ASSERT_NE(command, nullptr) << a->objectName().toStdString();
        EXPECT_EQ(command->presence, CommandPresence::Ready) << command->name;
    }
    // Every command offered and enabled is connected to what it does: without a document,
    // and with a document on its first page with nodes and branches.
    const auto expectHandlers = [&](const char* situation) {
        main.UpdateActions();
        for (QAction* a : shown) {
            if (a->objectName().startsWith(QLatin1String("act")) && a->isVisible() && a->isEnabled()) {
                EXPECT_TRUE(main.HasHandler(a->objectName())) << a->objectName().toStdString() << " " << situation;
            }
        }
    };
    expectHandlers("without a document");
    ASSERT_NE(main.OpenPath(WriteMine(QStringLiteral("a.irv"), Line)), nullptr);
    main.ActiveDocument()->FocusGrid(main.ActiveDocument()->UzelGrid());
    expectHandlers("with a document");
    EXPECT_TRUE(main.HasHandler(QStringLiteral("actTopologyChema")));
    EXPECT_TRUE(shown.contains(main.Action(QStringLiteral("actTechnoChema"))));

    for (const char* hidden : {"actCalculate", "actCalcWashers", "actCalcLowers"})
        EXPECT_FALSE(shown.contains(main.Action(QString::fromLatin1(hidden)))) << hidden;
    EXPECT_TRUE(shown.contains(main.Action(QStringLiteral("actGoto"))));
    EXPECT_TRUE(shown.contains(main.Action(QStringLiteral("actParams"))));
}

TEST_F(MainWindow, DroppingTwoFilesOfWhichOneIsOpenOpensOneWindow)
{
    const QString a = WriteMine(QStringLiteral("a.irv"), Line);
    const QString b = WriteMine(QStringLiteral("b.irv"), Line);
    TMainForm main(config);
    TChildForm* first = main.OpenPath(a);
    ASSERT_NE(first, nullptr);
    Drop(&main, {a, b});
    EXPECT_EQ(main.MdiArea()->subWindowList().size(), 2);
    ASSERT_NE(main.FindDocument(b), nullptr);
    EXPECT_EQ(main.FindDocument(a), first);
    Drop(&main, {a});
    EXPECT_EQ(main.MdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(main.ActiveDocument(), first) << "the open one comes to the front";
}

TEST_F(MainWindow, ASecondStartHandsBothFilesToTheRunningProgram)
{
    const QString a = WriteMine(QStringLiteral("a.irv"), Line);
    const QString b = WriteMine(QStringLiteral("b.irv"), Line);
    const QString name = QStringLiteral("irvata-test-") + QUuid::createUuid().toString(QUuid::Id128);
    TMainForm main(config);
    SingleInstance running(name);
    ASSERT_EQ(running.claim(), SingleInstance::Claim::Running);
    QObject::connect(&running, &SingleInstance::openRequested, &main, &TMainForm::OpenPaths);
    running.setReady();

    // The second start waits for the acknowledgement, which this thread's event loop sends.
    ASSERT_TRUE(RunBesideEventLoop([&] { return SingleInstance(name).tryHandOver({a, b}); }));
    QElapsedTimer timer;
    timer.start();
    while (main.Documents().size() < 2 && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(main.Documents().size(), 2);
    EXPECT_NE(main.FindDocument(a), nullptr);
    EXPECT_NE(main.FindDocument(b), nullptr);
}

TEST_F(MainWindow, ToolbarLayoutIsKeptBetweenRuns)
{
    {
        TMainForm main(config);
        main.show();
        ASSERT_EQ(main.ToolBars().size(), 5u);
        EXPECT_TRUE(main.Action(QStringLiteral("actViewMineBar"))->isChecked());
        main.Action(QStringLiteral("actViewMineBar"))->trigger();
        EXPECT_TRUE(main.ToolBars()[4]->isHidden());
        EXPECT_FALSE(main.Action(QStringLiteral("actViewMineBar"))->isChecked());
        ASSERT_TRUE(main.close());
    }
    {
        TMainForm main(config);
        main.show();
        EXPECT_TRUE(main.ToolBars()[4]->isHidden()) << "hidden in the last run";
        EXPECT_FALSE(main.ToolBars()[0]->isHidden());
        main.Action(QStringLiteral("actResetBars"))->trigger();
        for (QToolBar* bar : main.ToolBars()) {
            EXPECT_FALSE(bar->isHidden()) << bar->objectName().toStdString();
            EXPECT_EQ(main.toolBarArea(bar), Qt::TopToolBarArea);
        }
    }
}

TEST_F(MainWindow, TheDevicePanelCommandShowsAndHidesThePanel)
{
    TMainForm main(config);
    main.show();
    QAction* view = main.Action(QStringLiteral("actDeviceView"));
    EXPECT_TRUE(view->isChecked());
    view->trigger();
    EXPECT_FALSE(view->isChecked());
    EXPECT_TRUE(main.DeviceDock()->isHidden());
    view->trigger();
    EXPECT_FALSE(main.DeviceDock()->isHidden());
}

TEST_F(MainWindow, GotoShowsItsTargetOrSaysWhatIsMissing)
{
    const QString path = WriteMine(QStringLiteral("g.irv"), [](MineBuilder& mb) {
        Line(mb);
        TPLFPosition* p = TPLFPosition::Create(&mb.mine());
        p->SetName(QStringLiteral("Позиция 1"));
        mb.mine().Branches.Items(2)->SetPLFIndex(0);
        TPLFPosition::Create(&mb.mine())->SetName(QStringLiteral("Пустая"));
    });
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(path);
    ASSERT_NE(doc, nullptr);
    TMine& mine = *doc->Mine();

    main.ShowGotoTarget(static_cast<int>(GotoKind::Branch), mine.Branches.Items(1));
    EXPECT_EQ(doc->CurrentBranch(), mine.Branches.Items(1));
    main.ShowGotoTarget(static_cast<int>(GotoKind::Uzel), mine.Uzels.Items(3));
    EXPECT_EQ(doc->CurrentUzel(), mine.Uzels.Items(3));

    main.ShowGotoTarget(static_cast<int>(GotoKind::PLFPosition), mine.PLFPositions.Items(0));
    EXPECT_EQ(doc->CurrentBranch(), mine.Branches.Items(2)) << "the first branch of the position";
    EXPECT_EQ(doc->ColorMode(), 2) << "coloured by plan positions";
    EXPECT_TRUE(messages.shown.empty());

    main.ShowGotoTarget(static_cast<int>(GotoKind::PLFPosition), mine.PLFPositions.Items(1));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.LastText(), GotoMissText(GotoKind::PLFPosition));
}

TEST_F(MainWindow, StatusPanelsGrowToFitTheirText)
{
    TMainForm main(config);
    // A large font stands for a large mine: "89716/89716" must not be cut.
    QFont big = main.font();
    big.setPointSize(40);
    main.setFont(big);
    main.show();
    ASSERT_NE(main.OpenPath(WriteMine(QStringLiteral("a.irv"), Line)), nullptr);
    main.ActiveDocument()->AddUzel();
    QCoreApplication::processEvents();
    for (int i = 0; i < 4; ++i) {
        const auto* panel = main.statusBar()->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(i));
        ASSERT_NE(panel, nullptr);
        EXPECT_FALSE(panel->text().isEmpty()) << i;
        EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(panel->text())) << i;
    }
    messages.Answer(TMsgAnswer::No);
}

TEST_F(MainWindow, TheLongHintTakesTheStatusBar)
{
    TMainForm main(config);
    QStatusTipEvent tip(QStringLiteral("Открыть файл исходных данных шахты"));
    QCoreApplication::sendEvent(&main, &tip);
    EXPECT_EQ(main.StatusHintText(), QStringLiteral("Открыть файл исходных данных шахты"));
    QStatusTipEvent none{QString()};
    QCoreApplication::sendEvent(&main, &none);
    EXPECT_TRUE(main.StatusHintText().isEmpty());
}

TEST_F(MainWindow, WindowsAreArrangedSideBySideOrOneUnderAnother)
{
    TMainForm main(config);
    main.resize(1000, 700);
    main.show();
    main.NewDocument();
    main.NewDocument();
    main.Action(QStringLiteral("actWinHorizTile"))->trigger();
    const QList<QMdiSubWindow*> windows = main.MdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(windows[0]->geometry().top(), windows[1]->geometry().top()) << "side by side";
    main.Action(QStringLiteral("actWinVertTile"))->trigger();
    EXPECT_EQ(windows[0]->geometry().left(), windows[1]->geometry().left()) << "one under another";
    EXPECT_LT(windows[0]->geometry().top(), windows[1]->geometry().top());
}

TEST_F(MainWindow, TheFirstStartSaysOnceThatThereAreNoSettings)
{
    TConfig first(sandbox.places());
    EXPECT_FALSE(LoadStartupSettings(first));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].Caption, kConfigLoadFailedCaption);
    ASSERT_TRUE(first.Save());

    TConfig second(sandbox.places());
    EXPECT_TRUE(LoadStartupSettings(second));
    EXPECT_EQ(messages.shown.size(), 1u);
}

}  // namespace

namespace {

TEST_F(MainWindow, F1OpensThePageOfWhatHasTheFocus)
{
    TMainForm main(config);
    main.show();
    main.activateWindow();
    QApplication::setActiveWindow(&main);
    EXPECT_EQ(main.FocusHelpContext(), 14) << "the main window alone";
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("a.irv"), Line));
    ASSERT_NE(doc, nullptr);
    doc->BranchGrid()->setFocus();
    QCoreApplication::processEvents();
    if (QApplication::focusWidget() != doc->BranchGrid())
        GTEST_SKIP() << "this platform gives no focus";
    EXPECT_EQ(main.FocusHelpContext(), 28);
    main.DevicePanel()->DevTypeBox()->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(main.FocusHelpContext(), 25);
}

}  // namespace

namespace {

TEST_F(MainWindow, TheSameSortCommandTwiceReversesAndKeepsTheCurrentNode)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("s.irv"), Line));
    ASSERT_NE(doc, nullptr);
    TUzel* third = doc->Mine()->Uzels.Items(2);
    doc->ShowUzel(third);
    QAction* byX = main.Action(QStringLiteral("actUzelsByX"));
    ASSERT_TRUE(byX->isEnabled());
    byX->trigger();
    const auto xs = [&] {
        std::vector<double> v;
        for (int row = 0; row < doc->Rows().UzelCount(); ++row)
            v.push_back(doc->Rows().UzelAt(row)->X());
        return v;
    };
    const std::vector<double> ascending = xs();
    EXPECT_TRUE(std::is_sorted(ascending.begin(), ascending.end()));
    EXPECT_EQ(doc->CurrentUzel(), third);
    byX->trigger();
    const std::vector<double> descending = xs();
    EXPECT_TRUE(std::is_sorted(descending.rbegin(), descending.rend())) << "the same order again reverses";
    EXPECT_EQ(doc->CurrentUzel(), third);
    EXPECT_TRUE(doc->IsModified());
    messages.Answer(TMsgAnswer::No);  // leaving the sorted document unsaved
}

}  // namespace

namespace {

// The main window with two documents, and every menu: the tables' cells and the menus'
// entries are painted.
TEST_F(MainWindow, TablesAndMenusArePainted)
{
    TMainForm main(config);
    main.resize(1280, 800);
    main.show();
    TChildForm* sample = main.OpenPath(QStringLiteral(IRVATA_SOURCE_DIR "/examples/sample_mine.irv"));
    ASSERT_NE(sample, nullptr);
    ASSERT_NE(main.OpenPath(WriteMine(QStringLiteral("line.irv"), Line)), nullptr);
    main.Action(QStringLiteral("actWinHorizTile"))->trigger();
    QCoreApplication::processEvents();
    const QImage picture = Pictures::Take(&main, QStringLiteral("main-window"));
    for (TGridView* grid : {sample->UzelGrid(), sample->BranchGrid()}) {
        // The first rows of the table, below the heading: numbers are written there.
        QRect rows = Pictures::AreaOf(grid->viewport(), &main, picture);
        rows.setHeight(std::min(rows.height(), 3 * grid->rowHeight(0)));
        EXPECT_GT(Pictures::InkPixels(picture, rows), 200) << grid->objectName().toStdString();
    }
    int n = 0;
    for (QAction* top : main.menuBar()->actions()) {
        QMenu* menu = top->menu();
        if (!menu)
            continue;
        menu->popup(QPoint(0, 0));
        QCoreApplication::processEvents();
        const QImage shot = Pictures::Take(menu, QStringLiteral("menu-%1").arg(++n));
        EXPECT_GT(Pictures::InkPixels(shot, shot.rect()), 100) << top->text().toStdString();
        menu->hide();
    }
}

}  // namespace
