// The context menus of the document window act on what they were opened over.

#include "DocumentTestSupport.h"

#include "core/checks/MessageList.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "ui/app/MainForm.h"
#include "ui/document/MessagePanel.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QListView>
#include <QMenu>
#include <gtest/gtest.h>

namespace {

using DocumentMenus = DocumentTest;

// The menu request a right click on a row sends; the menu opens without blocking.
QMenu* RightClick(QAbstractItemView* view, const QModelIndex& index, QWidget* menuOwner, const QString& menuName)
{
    const QPoint at = view->visualRect(index).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(view->viewport(), &event);
    auto* menu = menuOwner->findChild<QMenu*>(menuName);
    return menu && menu->isVisible() ? menu : nullptr;
}

TEST_F(DocumentMenus, ARightClickInTheBranchTableActsOnBranchesWhateverTableHadTheFocus)
{
    TMainForm main(config);
    TChildForm* doc = main.OpenPath(WriteMine(QStringLiteral("m.irv"), Line));
    ASSERT_NE(doc, nullptr);
    TGridView* branches = doc->BranchGrid();
    branches->SetCurrentCell(1, 0);
    doc->FocusGrid(doc->UzelGrid());
    QAction* cut = main.Action(QStringLiteral("actCutToClipboard"));
    QAction* copy = main.Action(QStringLiteral("actCopyToClipboard"));
    ASSERT_EQ(cut->text(), QStringLiteral("&Вырезать узлы (1)"));

    QMenu* menu = RightClick(branches, branches->model()->index(1, 0), doc, QStringLiteral("GridMenu1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(doc->FocusedGrid(), branches);
    EXPECT_TRUE(menu->actions().contains(cut));
    EXPECT_EQ(cut->text(), QStringLiteral("&Вырезать ветви (1)"));
    EXPECT_EQ(copy->text(), QStringLiteral("&Копировать ветви (1)"));
    EXPECT_TRUE(menu->actions().contains(main.Action(QStringLiteral("actDelBranch"))));
    EXPECT_FALSE(menu->actions().contains(main.Action(QStringLiteral("actDelUzel"))));
    menu->close();

    const TBranch* clicked = doc->Rows().BranchAt(1);
    ASSERT_NE(clicked, nullptr);
    const int number = clicked->Number();
    cut->trigger();
    EXPECT_EQ(doc->Mine()->Uzels.Count(), 4);
    ASSERT_EQ(doc->Mine()->Branches.Count(), 3);
    for (int i = 0; i < doc->Mine()->Branches.Count(); ++i)
        EXPECT_NE(doc->Mine()->Branches.Items(i)->Number(), number);
    messages.Answer(TMsgAnswer::No);  // leaving the changed document unsaved
}

TEST_F(DocumentMenus, GoingToTheSchemaIsOfferedOnlyWhileSomethingShowsTheSchema)
{
    auto form = NewForm();
    ASSERT_TRUE(form->OpenFile(WriteMine(QStringLiteral("iso.irv"), [](MineBuilder& mb) {
        Line(mb);
        mb.uzel(9, 50, 50, 0);  // isolated: the check names it
    })));
    form->CheckTopology();
    int line = -1;
    for (int i = 0; i < form->Messages().Count() && line < 0; ++i)
        if (form->Messages().Line(i).Target == TMessageTarget::Uzel)
            line = i;
    ASSERT_GE(line, 0);
    TMessagePanel* panel = form->MessagePanel();
    panel->SelectLine(line);
    QListView* list = panel->ListView();
    const QModelIndex index = list->model()->index(line, 0);
    const QString menuName = QStringLiteral("MessageMenu");

    QMenu* menu = RightClick(list, index, panel, menuName);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(panel->GotoSourceAction()->isEnabled());
    EXPECT_FALSE(panel->GotoSchemaAction()->isEnabled()) << "nothing would show the schema";
    menu->close();

    const TMineObject* shown = nullptr;
    {
        QObject schema;
        QObject::connect(form.get(), &TChildForm::GotoSchemaRequested, &schema,
                         [&shown](TMineObject* object) { shown = object; });
        menu = RightClick(list, index, panel, menuName);
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(panel->GotoSchemaAction()->isEnabled());
        menu->close();
        panel->GotoSchemaAction()->trigger();
        const auto* uzel = dynamic_cast<const TUzel*>(shown);
        ASSERT_NE(uzel, nullptr);
        EXPECT_EQ(uzel->Number(), 9);
    }
    menu = RightClick(list, index, panel, menuName);
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(panel->GotoSchemaAction()->isEnabled()) << "the receiver is gone";
    menu->close();
}

}  // namespace
