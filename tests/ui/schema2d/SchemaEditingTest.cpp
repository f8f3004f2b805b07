// Arranging the schema with the mouse beyond nodes: text blocks selected, dragged, turned and
// deleted in the editor mode; the context menus and their show/hide commands; the rubber
// band scrolling the view while it is held beyond the panel.

#include "ui/document/DocumentTestSupport.h"

#include "core/model/Branch.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/TextBlock2D.h"
#include "core/model/Uzel.h"
#include "render/schema2d/SchemaScene.h"
#include "render/schema2d/TextBlockLook.h"
#include "ui/app/MainForm.h"
#include "ui/schema2d/SchemaPanel.h"
#include "ui/schema2d/Shema2DForm.h"
#include "ui/support/Pictures.h"

#include <QAction>
#include <QMenu>
#include <QTest>

namespace {

class SchemaEditing : public DocumentTest {
protected:
    void SetUp() override
    {
        main = std::make_unique<TMainForm>(config);
        doc = main->OpenPath(WriteMine(QStringLiteral("a.irv"), Line));
        schema = main->OpenSchema();
        schema->resize(800, 600);
        schema->show();
        Settle();
        schema->SetScaleAboutCentre(2);
    }
    void TearDown() override { main.reset(); }

    QStringList Captions(QMenu* menu)
    {
        QStringList texts;
        for (QAction* a : menu->actions())
            if (!a->isSeparator())
                texts << a->text() + (a->isEnabled() ? "" : "[off]");
        return texts;
    }
    QPointF ScreenOf(const TUzel* u) const { return schema->View().ToScreen(QPointF(u->SX(), u->SY())); }

    std::unique_ptr<TMainForm> main;
    TChildForm* doc = nullptr;
    TShema2DForm* schema = nullptr;
};

}  // namespace

// A block is hit only in the editor mode; pressing it selects it (the network selection
// stays), dragging the body moves its stored position by the drag over the scale, dragging
// the handle turns it towards the mouse, Esc takes a drag back, and its menu deletes it after
// the question.
TEST_F(SchemaEditing, TextBlocksAreSelectedMovedTurnedAndDeleted)
{
    TMine& mine = *doc->Mine();
    TTextBlock2D* block = TTextBlock2D::Create(&mine.TextBlocks, 40, 20, QStringLiteral("Насосная"));
    schema->RepaintSchema(true);
    doc->SetModified(false);
    const TTextBlockShape shape = TextBlockShapeOf(*block, schema->View(), 96);
    const QPointF inside = shape.Outline.boundingRect().center();

    EXPECT_NE(schema->HitAt(inside).What, THit::Kind::TextBlock);
    schema->SetEditorMode(true);
    ASSERT_EQ(schema->HitAt(inside).What, THit::Kind::TextBlock);
    EXPECT_EQ(schema->ContextMenu(schema->HitAt(inside)), nullptr) << "only a selected block has a menu";

    schema->Press(inside, Qt::LeftButton, Qt::NoModifier);
    schema->Move(inside + QPointF(30, 10));
    EXPECT_EQ(block->Left(), 40) << "the stored position waits for the release";
    schema->Release(inside + QPointF(30, 10), Qt::LeftButton, Qt::NoModifier);
    EXPECT_EQ(schema->SelectedTextBlock(), block);
    EXPECT_EQ(block->Left(), 55);
    EXPECT_EQ(block->Top(), 25);
    EXPECT_TRUE(doc->IsModified());

    // The handle lies right of the body's middle, a little below the corner's level: dragged
    // straight up from the corner it turns the block by 90 degrees and that little more.
    const TTextBlockShape moved = TextBlockShapeOf(*block, schema->View(), 96);
    ASSERT_EQ(schema->HitAt(moved.Handle).What, THit::Kind::TextBlockHandle);
    const QPointF corner = moved.ToScreen.map(QPointF(0, 0));
    schema->Press(moved.Handle, Qt::LeftButton, Qt::NoModifier);
    schema->Move(corner + QPointF(0, -200));
    const QImage turning = Pictures::Take(schema, QStringLiteral("schema-text-block-turning"));
    schema->Release(corner + QPointF(0, -200), Qt::LeftButton, Qt::NoModifier);
    EXPECT_NEAR(block->Angle(), 90 + std::atan2(moved.Body.height() / 2, moved.Body.width() + 12) * 180 / M_PI, 0.1);

    const double angle = block->Angle();
    const QPointF handle = TextBlockShapeOf(*block, schema->View(), 96).Handle;
    schema->Press(handle, Qt::LeftButton, Qt::NoModifier);
    schema->Move(handle + QPointF(50, 50));
    schema->CancelDrag();
    EXPECT_EQ(block->Angle(), angle);

    const QPointF body = TextBlockShapeOf(*block, schema->View(), 96).Outline.boundingRect().center();
    std::unique_ptr<QMenu> menu = schema->ContextMenu(schema->HitAt(body));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Captions(menu.get()), (QStringList{"Свойства...", "Удалить", "Восстановить"}));
    menu->actions()[2]->trigger();
    EXPECT_EQ(block->Angle(), 0);

    messages.answers = {TMsgAnswer::No};
    menu->actions()[1]->trigger();
    ASSERT_EQ(mine.TextBlocks.Count(), 1);
    EXPECT_EQ(messages.shown.back().Text, QStringLiteral("Удалить текстовый блок \"Насосная\"?"));
    messages.answers = {TMsgAnswer::Yes};
    menu->actions()[1]->trigger();
    EXPECT_EQ(mine.TextBlocks.Count(), 0);
    EXPECT_EQ(schema->SelectedTextBlock(), nullptr);
}

// The menus of a node, a branch and a label; a show/hide command names what the clicked
// object shows and gives every selected object of its kind the clicked one's new value.
TEST_F(SchemaEditing, ContextMenusSwitchLabelsForTheSelectedGroup)
{
    TMine& mine = *doc->Mine();
    TUzel* one = mine.FirstUzelWithNumber(1);
    TUzel* four = mine.FirstUzelWithNumber(4);
    schema->SetScaleAboutCentre(1);
    schema->Press(ScreenOf(one), Qt::LeftButton, Qt::NoModifier);
    schema->Release(ScreenOf(one), Qt::LeftButton, Qt::NoModifier);
    schema->Press(ScreenOf(four), Qt::LeftButton, Qt::ShiftModifier);
    schema->Release(ScreenOf(four), Qt::LeftButton, Qt::ShiftModifier);
    ASSERT_TRUE(one->Selected() && four->Selected());

    std::unique_ptr<QMenu> menu = schema->ContextMenu(schema->HitAt(ScreenOf(four)));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Captions(menu.get()), (QStringList{"П&оверхностный узел", "Убрать номер узла",
                                                 "Показать результат в узле[off]", "Восстановить",
                                                 "Свойства узла..."}));
    menu->actions()[2]->trigger();  // after the main window's command and a separator
    EXPECT_TRUE(one->LabelToggle());
    EXPECT_TRUE(four->LabelToggle());
    EXPECT_FALSE(mine.FirstUzelWithNumber(2)->LabelToggle());
    EXPECT_TRUE(doc->IsModified());
    menu = schema->ContextMenu(schema->HitAt(ScreenOf(four)));
    EXPECT_TRUE(Captions(menu.get()).contains("Показать номер узла"));

    // A node placed by hand goes back to its coordinates.
    four->SetSX(four->SX() + 40);
    four->SetPlacedByHand(true);
    schema->RepaintSchema(true);
    menu = schema->ContextMenu(schema->HitAt(ScreenOf(four)));
    ASSERT_NE(menu, nullptr);
    schema->Action(QStringLiteral("ActUpdateUzel"))->trigger();
    EXPECT_FALSE(four->PlacedByHand());
    EXPECT_NEAR(four->SX(), one->SX() + doc->SchemaFrame().F * 300, 1e-3);

    const TBranch* ten = mine.Branches.Items(0);
    const QPointF mid = (ScreenOf(ten->StartUzel()) + ScreenOf(ten->EndUzel())) / 2;
    menu = schema->ContextMenu(schema->HitAt(mid));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(Captions(menu.get()).contains("Трубопровод..."));
}

// Held beyond the panel's right edge, the rubber band scrolls the view on a timer; its start
// keeps its place on the drawing and the band ends at the edge.
TEST_F(SchemaEditing, RubberBandScrollsTheViewBeyondTheEdge)
{
    schema->SetScaleAboutCentre(8);
    schema->SetScrollPosition(QPoint(0, 0));
    const QPoint before = schema->View().ScrollPosition();
    const QPointF start(100, 100);
    const QPointF startOnSchema = schema->View().ToSchema(start);
    schema->Press(start, Qt::LeftButton, Qt::ControlModifier);
    const int width = schema->Panel()->width();
    schema->Move(QPointF(width + 40, 300));
    QTest::qWait(300);
    Pictures::Take(schema, QStringLiteral("schema-rubber-band"));
    const QPoint after = schema->View().ScrollPosition();
    EXPECT_GT(after.x() - before.x(), 40);
    EXPECT_EQ(after.y(), before.y());
    schema->Release(QPointF(width + 40, 300), Qt::LeftButton, Qt::ControlModifier);
    const QPointF startNow = schema->View().ToScreen(startOnSchema);
    EXPECT_NEAR(startNow.x(), 100 - (after.x() - before.x()), 1);
    const QPoint settled = schema->View().ScrollPosition();
    QTest::qWait(100);
    EXPECT_EQ(schema->View().ScrollPosition(), settled) << "the timer stops with the band";
}

// The seam list names every seam, checked while shown; a choice hides the seam's branches
// from the drawing and marks the document modified.
TEST_F(SchemaEditing, SeamListSwitchesTheSeamsBranches)
{
    TMine& mine = *doc->Mine();
    TLayer* seam = TLayer::Create(&mine);
    seam->SetName(QStringLiteral("h10"));
    TLayer::Create(&mine)->SetName(QStringLiteral("k3"));
    mine.Branches.Items(0)->SetLayerIndex(0);
    schema->RepaintSchema(true);
    doc->SetModified(false);
    QMenu* seams = schema->findChild<QMenu*>(QStringLiteral("LayersMenu"));
    ASSERT_NE(seams, nullptr);
    emit seams->aboutToShow();
    ASSERT_EQ(seams->actions().size(), 2);
    EXPECT_EQ(seams->actions()[0]->text(), QStringLiteral("h10"));
    EXPECT_TRUE(seams->actions()[0]->isChecked());
    const size_t before = schema->Scene()->VisibleBranches().size();
    seams->actions()[0]->trigger();
    EXPECT_FALSE(seam->Visible());
    EXPECT_EQ(schema->Scene()->VisibleBranches().size(), before - 1);
    EXPECT_TRUE(doc->IsModified());
}
