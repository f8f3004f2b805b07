#include "ui/app/CalculatorItem.h"
#include "ui/app/CommandTable.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

QStringList commandNamesIn(const QWidget* menu)
{
    QStringList names;
    for (QAction* action : menu->actions()) {
        if (action->menu())
            names << commandNamesIn(action->menu());
        else if (!action->isSeparator())
            names << action->objectName();
    }
    return names;
}

}  // namespace

TEST(CommandActions, OneActionPerCommandWithItsData)
{
    QObject owner;
    CommandActions actions(&owner);
    ASSERT_EQ(actions.Count(), int(CommandTable().size()));

    QAction* open = actions.Action(u"actFileOpen");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->parent(), &owner);
    EXPECT_EQ(open->objectName(), QStringLiteral("actFileOpen"));
    EXPECT_EQ(open->text(), QStringLiteral("&Открыть..."));
    EXPECT_EQ(open->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(open->toolTip(), QStringLiteral("Открыть"));
    EXPECT_EQ(open->statusTip(), QStringLiteral("Открыть файл исходных данных шахты"));
    EXPECT_EQ(open->property(kHelpContextProperty).toInt(), 4);
    EXPECT_EQ(actions.Action(u"actBranchesByKoef")->data().toInt(), 8);
    EXPECT_EQ(actions.Action(u"actParams")->property(kHelpContextProperty).toInt(), 8);
    EXPECT_EQ(actions.Action(u"actMessageView")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
    EXPECT_EQ(actions.Action(u"actNothing"), nullptr);

    // Every shortcut of the table is a real key sequence.
    for (const CommandInfo& command : CommandTable())
        if (!command.Shortcut().isEmpty()) {
            EXPECT_FALSE(actions.Action(command.Name())->shortcut().isEmpty()) << command.name;
        }
}

TEST(CommandActions, RadioFamiliesAreExclusive)
{
    QObject owner;
    CommandActions actions(&owner);
    QAction* std = actions.Action(u"actStdColors");
    QAction* layers = actions.Action(u"actLayerColors");
    ASSERT_NE(std->actionGroup(), nullptr);
    EXPECT_EQ(std->actionGroup(), layers->actionGroup());
    EXPECT_NE(std->actionGroup(), actions.Action(u"actFilterAllUzels")->actionGroup());
    std->setChecked(true);
    layers->setChecked(true);
    EXPECT_FALSE(std->isChecked());
    EXPECT_TRUE(actions.Action(u"actUseProjectedPipes")->isCheckable());
    EXPECT_FALSE(actions.Action(u"actUzelsByNums")->isCheckable());
}

TEST(CommandActions, MenusHoldOnlyCommandsWithWindows)
{
    QMainWindow window;
    CommandActions actions(&window);
    actions.BuildMenuBar(window.menuBar());

    const QStringList inMenus = commandNamesIn(window.menuBar());
    for (const CommandInfo& command : CommandTable()) {
        const bool shown = inMenus.contains(command.Name());
        if (command.presence == CommandPresence::Ready && command.Name() != QLatin1String("actShowOnSchema"))
            EXPECT_TRUE(shown) << command.name;
        else
            EXPECT_FALSE(shown) << command.name;
    }
    // The three calculation commands never appear.
    for (const char16_t* name : {u"actCalculate", u"actCalcWashers", u"actCalcLowers"})
        EXPECT_FALSE(inMenus.contains(QString::fromUtf16(name)));
    EXPECT_TRUE(inMenus.contains(QStringLiteral("actTechnoChema")));
    EXPECT_TRUE(inMenus.contains(QStringLiteral("actFilePrint")));

    // Named menus for the owner to fill.
    QMenu* recent = FindMenu(window.menuBar(), QString::fromLatin1(kRecentFilesMenuName));
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->title(), QStringLiteral("Последние с&еансы"));
    EXPECT_NE(FindMenu(window.menuBar(), QString::fromLatin1(kWindowMenuName)), nullptr);
    // The pipeline submenu: the pipe window, the device commands and the two databases.
    QMenu* pipes = FindMenu(window.menuBar(), QStringLiteral("PipesMenu"));
    ASSERT_NE(pipes, nullptr);
    for (const char* name : {"actEditPipe", "actAddDevice", "actEditDevice", "actDelDevice", "actEditPumpDB", "actEditRedDB"})
        EXPECT_TRUE(commandNamesIn(pipes).contains(QString::fromLatin1(name))) << name;

    // No menu starts or ends with a separator or has two in a row.
    for (QMenu* menu : window.menuBar()->findChildren<QMenu*>()) {
        const QList<QAction*> list = menu->actions();
        if (list.isEmpty())
            continue;
        EXPECT_FALSE(list.first()->isSeparator()) << menu->title().toStdString();
        EXPECT_FALSE(list.last()->isSeparator()) << menu->title().toStdString();
        for (qsizetype i = 1; i < list.size(); ++i)
            EXPECT_FALSE(list[i]->isSeparator() && list[i - 1]->isSeparator()) << menu->title().toStdString();
    }

    QStringList titles;
    for (QAction* top : window.menuBar()->actions())
        titles << top->text();
    EXPECT_EQ(titles, (QStringList{QStringLiteral("&Файл"), QStringLiteral("&Правка"), QStringLiteral("&Вид"),
                                   QStringLiteral("&Шахта"), QStringLiteral("&Расчет"), QStringLiteral("С&ервис"),
                                   QStringLiteral("&Окно"), QStringLiteral("&Справка")}));
}

TEST(CommandActions, FiveToolbarsInTheTopDock)
{
    QMainWindow window;
    CommandActions actions(&window);
    const auto bars = actions.BuildToolBars(&window);
    ASSERT_EQ(bars.size(), 5u);
    EXPECT_EQ(bars[0]->objectName(), QStringLiteral("StdBar"));
    EXPECT_EQ(bars[0]->windowTitle(), QStringLiteral("Стандартная"));
    for (QToolBar* bar : bars)
        EXPECT_EQ(window.toolBarArea(bar), Qt::TopToolBarArea);
    EXPECT_EQ(commandNamesIn(bars[0]), (QStringList{QStringLiteral("actFileNew"), QStringLiteral("actFileOpen"),
                                                    QStringLiteral("actFileSave"), QStringLiteral("actUndo"),
                                                    QStringLiteral("actRedo"), QStringLiteral("actHistory"),
                                                    QStringLiteral("actFilePrint")}));
    EXPECT_EQ(commandNamesIn(bars[4]), (QStringList{QStringLiteral("actCheckTopology"), QStringLiteral("actHydroCalc"),
                                                    QStringLiteral("actTopologyChema"), QStringLiteral("actTechnoChema")}));
}

TEST(CommandActions, StatesAreApplied)
{
    QObject owner;
    CommandActions actions(&owner);
    CommandContext none;
    actions.ApplyStates(ComputeCommandStates(none));
    EXPECT_TRUE(actions.Action(u"actFileOpen")->isEnabled());
    EXPECT_FALSE(actions.Action(u"actFileSave")->isEnabled());
    EXPECT_FALSE(actions.Action(u"actUzelGrid")->isVisible());
    // Hidden commands (the calculation) stay hidden and disabled whatever their rule says.
    EXPECT_FALSE(actions.Action(u"actCalculate")->isEnabled());
    EXPECT_FALSE(actions.Action(u"actCalculate")->isVisible());
    // Clipboard shortcuts only while the command can act.
    EXPECT_TRUE(actions.Action(u"actCopyToClipboard")->shortcut().isEmpty());

    CommandContext doc;
    doc.documentCount = 1;
    doc.hasActiveDocument = true;
    doc.hasNodes = true;
    doc.focus = FocusedTable::Nodes;
    doc.focusedTableHasRows = true;
    doc.colorMode = 1;
    actions.ApplyStates(ComputeCommandStates(doc));
    EXPECT_TRUE(actions.Action(u"actUzelGrid")->isVisible());
    EXPECT_TRUE(actions.Action(u"actCopyToClipboard")->isEnabled());
    EXPECT_EQ(actions.Action(u"actCopyToClipboard")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_TRUE(actions.Action(u"actLayerColors")->isChecked());
    EXPECT_FALSE(actions.Action(u"actStdColors")->isChecked());

    doc.busy = true;
    actions.ApplyStates(ComputeCommandStates(doc));
    EXPECT_FALSE(actions.Action(u"actFileOpen")->isEnabled());
    EXPECT_TRUE(actions.Action(u"actMessageView")->isEnabled());
    EXPECT_EQ(actions.ReadyActions().size(), actions.ReadyActions().size());
}

TEST(CalculatorItem, InsertedBeforeTheLastEntryWithASeparator)
{
    QMainWindow window;
    CommandActions actions(&window);
    actions.BuildMenuBar(window.menuBar());
    QMenu* service = FindMenu(window.menuBar(), QString::fromLatin1(kServiceMenuName));
    ASSERT_NE(service, nullptr);
    const qsizetype before = service->actions().size();

    QAction* item = AddCalculatorItem(service, &window, QStringLiteral("/usr/bin/some-calculator"));
    ASSERT_NE(item, nullptr);
    const QList<QAction*> entries = service->actions();
    ASSERT_EQ(entries.size(), before + 2);
    EXPECT_EQ(entries[entries.size() - 3], item);
    EXPECT_EQ(item->text(), QStringLiteral("Калькулятор"));
    EXPECT_TRUE(entries[entries.size() - 2]->isSeparator());
    EXPECT_EQ(entries.last()->objectName(), QStringLiteral("actParams"));
}

TEST(CalculatorItem, NothingWithoutACalculator)
{
    QMenu menu;
    menu.addAction(QStringLiteral("last"));
    EXPECT_EQ(AddCalculatorItem(&menu, nullptr, QString()), nullptr);
    EXPECT_EQ(menu.actions().size(), 1) << "no separator either";
}
