#include "core/model/Branch.h"
#include "core/model/LabelPlacement.h"
#include "core/model/Uzel.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {

// The number label a branch of this geometry gets when placed from scratch.
TLabelOffset FreshNumberLabel(const TBranch& b)
{
    const int direction = LabelPlacement::DirectionDegrees(b.StartUzel()->SX(), b.StartUzel()->SY(),
                                                           b.EndUzel()->SX(), b.EndUzel()->SY());
    return LabelPlacement::Place(LabelPlacement::LabelKind::BranchNumber, direction, b.LabelAngle(),
                                 b.LabelDistance());
}

}  // namespace

// The branch keeps its schema direction between labels; it must follow every move of an end
// node and every change of the nodes it links.
TEST(SchemaDirection, FollowsMovedAndRelinkedEnds)
{
    MineBuilder m;
    TUzel* a = m.uzel(1, 0, 0);
    TUzel* b = m.uzel(2, 100, 0);
    m.uzel(3, 0, 100);
    TBranch* br = m.branch(10, 1, 2);
    ASSERT_TRUE(br->Linked());
    EXPECT_EQ(0, br->SchemaDirection());

    b->SetSX(-100);  // now points left: the label turns to the other side
    EXPECT_EQ(180, br->SchemaDirection());
    EXPECT_EQ(FreshNumberLabel(*br), br->NumberLabelOffset());

    a->SetY(-50);  // the real coordinate moves the schema position too
    EXPECT_EQ(LabelPlacement::DirectionDegrees(0, -50, -100, 0), br->SchemaDirection());
    EXPECT_EQ(FreshNumberLabel(*br), br->NumberLabelOffset());

    br->SetEndNumber(3);  // linked to another node
    EXPECT_EQ(LabelPlacement::DirectionDegrees(0, -50, 0, 100), br->SchemaDirection());
    EXPECT_EQ(FreshNumberLabel(*br), br->NumberLabelOffset());

    a->SetNumber(7);  // the start node leaves: unlinked, then another node 1 takes its place
    EXPECT_FALSE(br->Linked());
    EXPECT_EQ(0, br->SchemaDirection());
    m.uzel(1, 50, 100);
    ASSERT_TRUE(br->Linked());
    EXPECT_EQ(LabelPlacement::DirectionDegrees(50, 100, 0, 100), br->SchemaDirection());
}
