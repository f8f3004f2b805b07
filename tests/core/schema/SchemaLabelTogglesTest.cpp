#include "core/schema/SchemaLabelToggles.h"
#include "core/schema/SchemaPositions.h"

#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

using SchemaLabelToggles::TLabel;

// The clicked object's opposite value goes to it and to every selected object of its kind;
// node labels of a clicked branch are its start node's; a branch's result flag starts on.
TEST(SchemaLabelToggles, TheClickedObjectDecidesForTheSelectedGroup)
{
    MineBuilder m;
    TUzel* one = m.uzel(1, 0, 0);
    TUzel* two = m.uzel(2, 100, 0);
    TUzel* three = m.uzel(3, 200, 0);
    TBranch* a = m.branch(10, 1, 2);
    TBranch* b = m.branch(20, 2, 3);
    TMine& mine = m.mine();
    two->SetLabelToggle(true);  // the group is mixed: the clicked one decides
    mine.Selection.Add(two);
    mine.Selection.Add(three);
    mine.Selection.Add(b);

    EXPECT_EQ(SchemaLabelToggles::Reference(a, TLabel::UzelNumber), one);
    EXPECT_EQ(SchemaLabelToggles::Reference(a, TLabel::DeviceResult), nullptr);
    EXPECT_EQ(SchemaLabelToggles::Caption(TLabel::UzelNumber, true), QStringLiteral("Убрать номер узла"));
    EXPECT_EQ(SchemaLabelToggles::Caption(TLabel::DeviceResult, false), QStringLiteral("Показать результат в устройстве"));

    EXPECT_EQ(SchemaLabelToggles::Toggle(mine, *one, TLabel::UzelNumber), 2);  // one and three; two is hidden already
    EXPECT_TRUE(one->LabelToggle() && two->LabelToggle() && three->LabelToggle());
    EXPECT_FALSE(b->LabelToggle()) << "branches are another kind";

    EXPECT_TRUE(SchemaLabelToggles::Shown(*a, TLabel::BranchResult));
    EXPECT_EQ(SchemaLabelToggles::Toggle(mine, *a, TLabel::BranchResult), 2);
    EXPECT_FALSE(a->ShowResult() || b->ShowResult());
    EXPECT_EQ(SchemaLabelToggles::Toggle(mine, *two, TLabel::UzelResult), 2);
    EXPECT_TRUE(two->ShowResult() && three->ShowResult());
    EXPECT_FALSE(one->ShowResult());
}

// One label back at its default: a node's number or result offset, a branch's number label
// to automatic placement.
TEST(SchemaLabelToggles, RestoringOneLabel)
{
    MineBuilder m;
    TUzel* one = m.uzel(1, 0, 0);
    m.uzel(2, 100, 0);
    TBranch* a = m.branch(10, 1, 2);
    one->SetNumberLabelOffset(TLabelOffset::Make(40, 3));
    one->SetResultLabelOffset(TLabelOffset::Make(-8, 9));
    a->SetAutoPlaceLabel(false);
    EXPECT_TRUE(SchemaPositions::RestoreLabel(*one, true));
    EXPECT_EQ(one->ResultLabelOffset(), TLabelOffset::Make(15, -15));
    EXPECT_EQ(one->NumberLabelOffset(), TLabelOffset::Make(40, 3));
    EXPECT_TRUE(SchemaPositions::RestoreLabel(*one, false));
    EXPECT_EQ(one->NumberLabelOffset(), TLabelOffset::Make(12, 12));
    EXPECT_TRUE(SchemaPositions::RestoreLabel(*a, false));
    EXPECT_TRUE(a->AutoPlaceLabel());
}
