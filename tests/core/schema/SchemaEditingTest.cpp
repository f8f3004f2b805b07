#include "core/schema/SchemaDrags.h"
#include "core/schema/SchemaSelection.h"

#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {

TUzel* Placed(MineBuilder& m, int number, float sx, float sy)
{
    TUzel* u = m.uzel(number);
    u->SetSX(sx);
    u->SetSY(sy);
    return u;
}

}  // namespace

// Clicks: a node replaces the selection unless it belongs to a group being dragged; Shift
// toggles but keeps an end of a selected branch; a branch brings its ends along, and taking
// it away with Shift keeps an end another selected branch holds.
TEST(SchemaSelection, ClicksFollowTheSelectionRules)
{
    MineBuilder m;
    TUzel* u1 = Placed(m, 1, 0, 0);
    TUzel* u2 = Placed(m, 2, 100, 0);
    TUzel* u3 = Placed(m, 3, 200, 0);
    TBranch* b1 = m.branch(1, 1, 2);
    TBranch* b2 = m.branch(2, 2, 3);
    TMine& mine = m.mine();

    SchemaSelection::ClickUzel(mine, u1, false);
    SchemaSelection::ClickUzel(mine, u3, true);
    EXPECT_EQ(mine.Selection.Count(), 2);
    SchemaSelection::ClickUzel(mine, u1, false);  // already selected, no branch holds it: kept
    EXPECT_EQ(mine.Selection.Count(), 2);

    SchemaSelection::ClickBranch(mine, b1, false);
    EXPECT_TRUE(b1->Selected() && u1->Selected() && u2->Selected());
    EXPECT_FALSE(u3->Selected());
    SchemaSelection::ClickUzel(mine, u2, true);  // an end of a selected branch stays
    EXPECT_TRUE(u2->Selected());
    SchemaSelection::ClickUzel(mine, u2, false);  // held by a selected branch: replaced
    EXPECT_EQ(mine.Selection.Count(), 1);

    SchemaSelection::ClickBranch(mine, b1, true);
    SchemaSelection::ClickBranch(mine, b2, true);
    SchemaSelection::ClickBranch(mine, b1, true);  // off again: node 2 stays with branch 2
    EXPECT_FALSE(b1->Selected() || u1->Selected());
    EXPECT_TRUE(u2->Selected() && b2->Selected() && u3->Selected());

    mine.Selection.Clear();
    SchemaSelection::SelectInside(mine, QRectF(-10, -10, 150, 20), false);
    EXPECT_TRUE(u1->Selected() && u2->Selected() && b1->Selected());
    EXPECT_FALSE(u3->Selected() || b2->Selected());
}

// A finished drag: selected nodes move by the vector over the scale and count as placed by
// hand; a branch label moves by the vector over the text factor and stops following its
// branch.
TEST(SchemaDrags, NodesAndLabelsMoveByTheDragOverTheirFactor)
{
    MineBuilder m;
    TUzel* moved = Placed(m, 1, 10, 20);
    TUzel* still = Placed(m, 2, 110, 20);
    TBranch* b = m.branch(1, 1, 2);
    m.mine().Selection.Add(moved);

    EXPECT_EQ(SchemaDrags::MoveSelectedUzels(m.mine(), QPointF(30, -8), 2), 1);
    EXPECT_FLOAT_EQ(moved->SX(), 25);
    EXPECT_FLOAT_EQ(moved->SY(), 16);
    EXPECT_TRUE(moved->PlacedByHand());
    EXPECT_FLOAT_EQ(still->SX(), 110);
    EXPECT_FALSE(still->PlacedByHand());
    EXPECT_EQ(SchemaDrags::MoveSelectedUzels(m.mine(), QPointF(), 2), 0);

    ASSERT_TRUE(b->AutoPlaceLabel());
    const TLabelOffset before = b->NumberLabelOffset();
    EXPECT_TRUE(SchemaDrags::MoveLabel(*b, false, QPointF(12, 6), 1.5));
    EXPECT_DOUBLE_EQ(b->NumberLabelOffset().X(), before.X() + 8);
    EXPECT_DOUBLE_EQ(b->NumberLabelOffset().Y(), before.Y() + 4);
    EXPECT_FALSE(b->AutoPlaceLabel());
    // The label no longer follows its branch when an end moves.
    const TLabelOffset placed = b->NumberLabelOffset();
    still->SetSY(200);
    EXPECT_EQ(b->NumberLabelOffset(), placed);
}

// A device slides along its branch by the drag over the branch's screen length, kept within
// its pipe; a branch shorter than a pixel on the screen gives no position at all (no NaN).
TEST(SchemaDrags, DevicesSlideWithinTheirPipe)
{
    MineBuilder m;
    m.uzel(1, 0, 0);
    m.uzel(2, 200, 0);
    TBranch* b = m.firePipe(1, 1, 2);
    b->FirePipe()->SetFractions(0.1, 0.9);
    TDevice* gate = m.device(b, dkGate, 0.5, 3);

    EXPECT_DOUBLE_EQ(*SchemaDrags::SlidDevicePosition(*gate, 0.5, 50, 200), 0.75);
    EXPECT_DOUBLE_EQ(*SchemaDrags::SlidDevicePosition(*gate, 0.3, 50, 200), 0.55);  // from where it was
    EXPECT_DOUBLE_EQ(*SchemaDrags::SlidDevicePosition(*gate, 0.3, -20, 200), 0.2);
    EXPECT_DOUBLE_EQ(*SchemaDrags::SlidDevicePosition(*gate, 0.5, -500, 200), 0.1);
    EXPECT_FALSE(SchemaDrags::SlidDevicePosition(*gate, 0.5, 3, 0.5));
    EXPECT_EQ(SchemaDrags::SlideHint(*gate, 0.25),
              QStringLiteral("До узла 1 - 50 м (25%). До узла 2 - 150 м (75%)"));
}

// "Выделить все" takes the visible branches with both ends, all nodes, or both.
TEST(SchemaSelection, SelectAllTakesWhatWasAskedFor)
{
    MineBuilder m;
    Placed(m, 1, 0, 0);
    Placed(m, 2, 10, 0);
    TBranch* shown = m.branch(1, 1, 2);
    TBranch* hidden = m.branch(2, 2, 1);
    TBranch* loose = m.branch(3, 1, 7);
    SchemaSelection::SelectAll(m.mine(), {shown, loose}, SchemaSelection::TSelectAll::Branches);
    EXPECT_TRUE(shown->Selected());
    EXPECT_FALSE(hidden->Selected() || loose->Selected());
    EXPECT_EQ(m.mine().Selection.UzelCount(), 0);
    SchemaSelection::SelectAll(m.mine(), {shown}, SchemaSelection::TSelectAll::Uzels);
    EXPECT_EQ(m.mine().Selection.UzelCount(), 2);
}
