// What the schema window changes in a mine is one step of the document's undo history a user
// action: a drag of many nodes, a device slid along its branch, a context command, a text
// block moved or deleted. An undo puts back the file's very bytes, and the window lets go of
// the text block it had selected when the undo takes that block away.

#include "ui/document/DocumentTestSupport.h"

#include "core/file/NetworkFile.h"
#include "core/history/EditTransaction.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/TextBlock2D.h"
#include "core/model/Uzel.h"
#include "render/schema2d/SchemaScene.h"
#include "render/schema2d/TextBlockLook.h"
#include "ui/app/MainForm.h"
#include "ui/schema2d/RestoreDialog.h"
#include "ui/schema2d/Shema2DForm.h"
#include "ui/support/Pictures.h"

#include <QAction>
#include <QMenu>

namespace {

class SchemaUndo : public DocumentTest {
protected:
    void SetUp() override
    {
        main = std::make_unique<TMainForm>(config);
        doc = main->OpenPath(WriteMine(QStringLiteral("u.irv"), [](MineBuilder& mb) {
            Line(mb);
            mb.device<TGate>(mb.mine().Branches.Items(2), dkGate, 0.5, 7);
        }));
        ASSERT_NE(doc, nullptr);
        schema = main->OpenSchema();
        schema->resize(800, 600);
        schema->show();
        Settle();
        schema->SetScaleAboutCentre(1);
        schema->SetEditorMode(true);
        uncaptured = TEditTransaction::UncapturedTotal();
    }
    void TearDown() override
    {
        EXPECT_EQ(TEditTransaction::UncapturedTotal(), uncaptured) << "a change was made outside what was kept";
        main.reset();
    }

    QByteArray Body() const
    {
        return NetworkFile::WriteBody(*doc->Mine(), doc->DocumentSettings(), doc->Rows().BranchOrderVector(), 17);
    }
    QPointF ScreenOf(const TUzel* u) const { return schema->View().ToScreen(QPointF(u->SX(), u->SY())); }
    void Click(QPointF at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        schema->Press(at, Qt::LeftButton, modifiers);
        schema->Release(at, Qt::LeftButton, modifiers);
    }
    // A drag in several mouse moves, as a hand makes it.
    void Drag(QPointF from, QPointF by)
    {
        schema->Press(from, Qt::LeftButton, Qt::NoModifier);
        for (int i = 1; i <= 5; ++i)
            schema->Move(from + by * i / 5);
        schema->Release(from + by, Qt::LeftButton, Qt::NoModifier);
    }
    TEditHistory& History() { return doc->History(); }
    QString LastCaption() { return History().UndoCaption(); }

    std::unique_ptr<TMainForm> main;
    TChildForm* doc = nullptr;
    TShema2DForm* schema = nullptr;
    int uncaptured = 0;
};

}  // namespace

// Three nodes dragged in five moves are one step "Перемещение узлов (3)"; its undo writes the
// same file body as before the drag, its redo the one after. A drag given up with Esc and a
// click without a move leave no step.
TEST_F(SchemaUndo, NodeDragIsOneStepAndUndoGivesBackTheFile)
{
    TMine& mine = *doc->Mine();
    TUzel* one = mine.FirstUzelWithNumber(1);
    TUzel* two = mine.FirstUzelWithNumber(2);
    TUzel* three = mine.FirstUzelWithNumber(3);
    // Node 2 lies under branch 40 (1-3): it is clicked through the table.
    Click(ScreenOf(one));
    Click(ScreenOf(three), Qt::ShiftModifier);
    mine.Selection.Add(two);
    ASSERT_EQ(mine.Selection.UzelCount(), 3);
    const QByteArray before = Body();
    const int steps = History().Count();
    const float sx = two->SX();

    Drag(ScreenOf(three), QPointF(40, 60));
    EXPECT_NEAR(two->SX(), sx + 40 / schema->View().Scale(), 1e-3);
    EXPECT_TRUE(three->PlacedByHand());
    ASSERT_EQ(History().Count(), steps + 1);
    EXPECT_EQ(LastCaption(), QStringLiteral("Перемещение узлов (3)"));
    const QByteArray after = Body();
    Settle();
    Pictures::Take(schema, QStringLiteral("schema-undo-drag-done"));

    // Undone and redone from the schema window's own menu: the main window's shortcuts do not
    // reach a window of its own.
    auto* undo = schema->findChild<QAction*>(QStringLiteral("actUndo"));
    auto* redo = schema->findChild<QAction*>(QStringLiteral("actRedo"));
    ASSERT_TRUE(undo && redo);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("&Отменить Перемещение узлов (3)"));
    EXPECT_EQ(undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    undo->trigger();
    EXPECT_EQ(Body(), before);
    EXPECT_EQ(two->SX(), sx) << "the nodes are put back in place, the same objects";
    Settle();
    Pictures::Take(schema, QStringLiteral("schema-undo-node-drag"));
    EXPECT_EQ(redo->text(), QStringLiteral("&Повторить Перемещение узлов (3)"));
    redo->trigger();
    EXPECT_EQ(Body(), after);

    schema->Press(ScreenOf(three), Qt::LeftButton, Qt::NoModifier);
    schema->Move(ScreenOf(three) + QPointF(30, 0));
    schema->CancelDrag();
    Click(ScreenOf(three));
    EXPECT_EQ(History().Count(), steps + 1);
    EXPECT_EQ(Body(), after);
}

// A device slid along its branch is one step from where it started to where it stopped,
// however many moves it followed; the context commands "Восстановить" of a node and the
// show/hide of its number each are one step.
TEST_F(SchemaUndo, DeviceSlideAndContextCommandsAreSteps)
{
    TMine& mine = *doc->Mine();
    TBranch* thirty = mine.Branches.Items(2);
    TDevice* gate = thirty->FirePipe()->Devices.Items(0);
    const QPointF at = (ScreenOf(thirty->StartUzel()) + ScreenOf(thirty->EndUzel())) / 2;
    ASSERT_EQ(schema->HitAt(at).What, THit::Kind::Device);
    Click(at);
    ASSERT_TRUE(gate->Selected());
    const QByteArray before = Body();
    const int steps = History().Count();
    const double length = ScreenOf(thirty->EndUzel()).x() - ScreenOf(thirty->StartUzel()).x();
    Drag(at, QPointF(length / 5, 0));
    EXPECT_NEAR(gate->Position(), 0.7, 0.01);
    ASSERT_EQ(History().Count(), steps + 1);
    EXPECT_EQ(LastCaption(), QStringLiteral("Перемещение устройства"));
    ASSERT_TRUE(History().Undo());
    EXPECT_EQ(Body(), before);

    TUzel* four = mine.FirstUzelWithNumber(4);
    four->SetSX(four->SX() + 40);
    four->SetPlacedByHand(true);
    schema->RepaintSchema(true);
    const QByteArray unmoved = Body();
    std::unique_ptr<QMenu> menu = schema->ContextMenu(schema->HitAt(ScreenOf(four)));
    ASSERT_NE(menu, nullptr);
    schema->Action(QStringLiteral("ActUpdateUzel"))->trigger();
    EXPECT_EQ(LastCaption(), QStringLiteral("Восстановление узла"));
    schema->Action(QStringLiteral("ActShowHideNumUz"))->trigger();
    EXPECT_TRUE(four->LabelToggle());
    EXPECT_EQ(LastCaption(), QStringLiteral("Подписи на схеме"));
    ASSERT_TRUE(History().Undo());
    EXPECT_FALSE(four->LabelToggle());
    ASSERT_TRUE(History().Undo());
    EXPECT_EQ(Body(), unmoved);
}

// A text block moved and then deleted: two steps; undoing the deletion brings the block back
// (a new object), and redoing it again takes away the block the window had selected since:
// the window lets go of it and its hits, and a further undo and redo find nothing stale.
TEST_F(SchemaUndo, TextBlockMoveAndDeleteAreUndone)
{
    TMine& mine = *doc->Mine();
    TTextBlock2D::Create(&mine.TextBlocks, 40, 20, QStringLiteral("Насосная"));
    schema->RepaintSchema(true);
    const auto centre = [&] {
        return TextBlockShapeOf(*mine.TextBlocks.Items(0), schema->View(), 96).Outline.boundingRect().center();
    };
    const QByteArray placed = Body();
    const int steps = History().Count();

    Drag(centre(), QPointF(30, 10));
    EXPECT_EQ(mine.TextBlocks.Items(0)->Left(), 70);
    EXPECT_EQ(LastCaption(), QStringLiteral("Перемещение текста"));
    ASSERT_TRUE(History().Undo());
    EXPECT_EQ(Body(), placed);
    ASSERT_TRUE(History().Redo());
    const QByteArray moved = Body();

    schema->DeleteTextBlock(schema->SelectedTextBlock(), false);
    EXPECT_EQ(mine.TextBlocks.Count(), 0);
    EXPECT_EQ(LastCaption(), QStringLiteral("Удаление текста"));
    EXPECT_EQ(History().Count(), steps + 2);
    ASSERT_TRUE(History().Undo());
    ASSERT_EQ(mine.TextBlocks.Count(), 1);
    EXPECT_EQ(Body(), moved);

    Click(centre());
    ASSERT_NE(schema->SelectedTextBlock(), nullptr);
    const QPointF where = centre();
    ASSERT_TRUE(History().Redo());
    EXPECT_EQ(schema->SelectedTextBlock(), nullptr);
    EXPECT_NE(schema->HitAt(where).What, THit::Kind::TextBlock);
    EXPECT_EQ(schema->ContextMenu(schema->HitAt(where)), nullptr);
    Settle();
    ASSERT_TRUE(History().Undo());
    Settle();
    EXPECT_EQ(schema->HitAt(where).What, THit::Kind::TextBlock);
    ASSERT_TRUE(History().GoTo(steps));
    EXPECT_EQ(Body(), placed);
}

// A node's number label dragged, a seam hidden, a branch brought to the front and the labels
// restored: one step each, and undoing them all gives back the file as it was.
TEST_F(SchemaUndo, LabelSeamOrderAndRestoringAreSteps)
{
    TMine& mine = *doc->Mine();
    TUzel* four = mine.FirstUzelWithNumber(4);
    TLayer* seam = TLayer::Create(&mine);
    seam->SetName(QStringLiteral("h10"));
    mine.Branches.Items(0)->SetLayerIndex(0);
    schema->RepaintSchema(true);
    const QByteArray before = Body();
    const int steps = History().Count();

    // The label lies below and right of its node.
    std::optional<QPointF> label;
    for (int d = 4; d < 30 && !label; ++d)
        if (schema->HitAt(ScreenOf(four) + QPointF(d, d)).What == THit::Kind::UzelNumber)
            label = ScreenOf(four) + QPointF(d, d);
    ASSERT_TRUE(label.has_value());
    const TLabelOffset offset = four->NumberLabelOffset();
    Drag(*label, QPointF(20, -30));
    EXPECT_NE(four->NumberLabelOffset(), offset);
    EXPECT_EQ(LastCaption(), QStringLiteral("Перемещение подписи"));

    QMenu* seams = schema->findChild<QMenu*>(QStringLiteral("LayersMenu"));
    ASSERT_NE(seams, nullptr);
    emit seams->aboutToShow();
    ASSERT_EQ(seams->actions().size(), 1);
    seams->actions()[0]->trigger();
    EXPECT_FALSE(seam->Visible());
    EXPECT_EQ(LastCaption(), QStringLiteral("Видимость пласта"));

    TBranch* first = doc->Rows().BranchOrderVector().front();
    mine.Selection.Clear();
    mine.Selection.Add(first);
    schema->MoveOrder(2);
    EXPECT_EQ(doc->Rows().BranchOrderVector().back(), first);
    EXPECT_EQ(LastCaption(), QStringLiteral("Порядок отрисовки"));

    schema->Restore(TRestoreDialog::rcLabels);
    EXPECT_EQ(four->NumberLabelOffset(), TLabelOffset::Make(12, 12));
    EXPECT_EQ(LastCaption(), QStringLiteral("Восстановление схемы"));
    EXPECT_EQ(History().Count(), steps + 4);

    ASSERT_TRUE(History().GoTo(steps));
    EXPECT_EQ(Body(), before);
    EXPECT_TRUE(seam->Visible());
    EXPECT_EQ(doc->Rows().BranchOrderVector().front(), first);
    Settle();
    EXPECT_EQ(schema->Scene()->VisibleBranches().front(), first);
}
