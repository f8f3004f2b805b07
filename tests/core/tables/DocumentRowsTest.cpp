#include "core/tables/DocumentRows.h"
#include "core/tables/RowSelection.h"
#include "core/tables/TableEdits.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {

// Nodes 1..4 on a line; branches 10 (1-2), 20 (2-3), 30 (3-4).
struct Line4 : ::testing::Test {
    MineBuilder mb;
    TBranch *b10 = nullptr, *b20 = nullptr, *b30 = nullptr;
    void SetUp() override
    {
        for (int n = 1; n <= 4; ++n)
            mb.uzel(n, n * 10.0);
        b10 = mb.branch(10, 1, 2);
        b20 = mb.branch(20, 2, 3);
        b30 = mb.branch(30, 3, 4);
    }
    TUzel* uzel(int i) { return mb.mine().Uzels.Items(i); }
};

TEST_F(Line4, AStoredOrderOfEveryBranchIsKeptAndOneOfTheRightLengthWithARepeatIsMadeWhole)
{
    TDocumentRows rows(mb.get());
    rows.Reset(mb.get(), {b20, b30, b10});
    ASSERT_EQ(rows.BranchCount(), 3);
    EXPECT_EQ(rows.BranchOrderVector(), (std::vector<TBranch*>{b20, b30, b10}));
    EXPECT_FALSE(rows.Stale());

    rows.Reset(mb.get(), {b20, b20, b10});  // as many as the mine has, b30 missing
    EXPECT_EQ(rows.BranchOrderVector(), (std::vector<TBranch*>{b20, b10, b30}));

    MineBuilder other;
    other.uzel(1, 0);
    other.uzel(2, 10);
    TBranch* foreign = other.branch(10, 1, 2);
    rows.Reset(mb.get(), {b10, foreign, b20});  // a branch of another mine in the order
    EXPECT_EQ(rows.BranchOrderVector(), (std::vector<TBranch*>{b10, b20, b30}));
}

TEST_F(Line4, StoredOrderIsMadeWholeAndDeletionMakesRowsStaleUntilSync)
{
    TDocumentRows rows(mb.get());
    rows.Reset(mb.get(), {b30, b10, b30});  // repeated, b20 missing
    ASSERT_EQ(rows.BranchCount(), 3);
    EXPECT_EQ(rows.BranchAt(0), b30);
    EXPECT_EQ(rows.BranchAt(1), b10);
    EXPECT_EQ(rows.BranchAt(2), b20);

    TableEdits::DeleteBranch(mb.mine(), b10);
    EXPECT_TRUE(rows.MineChanged());
    EXPECT_EQ(rows.BranchAt(1), nullptr) << "a stale row must not hand out a dead pointer";
    rows.Sync();
    ASSERT_EQ(rows.BranchCount(), 2);
    EXPECT_EQ(rows.BranchAt(0), b30);
    EXPECT_EQ(rows.BranchAt(1), b20);

    TBranch* added = TableEdits::AddBranch(mb.mine());
    rows.Sync();
    EXPECT_EQ(rows.BranchAt(2), added);
    EXPECT_EQ(rows.BranchRow(added), 2);
}

TEST_F(Line4, FiltersShowSurfaceNodesAndIncidentBranches)
{
    TDocumentRows rows(mb.get());
    uzel(2)->SetSurface(true);
    rows.SetUzelFilter(TDocumentRows::SurfaceUzels);
    ASSERT_EQ(rows.UzelCount(), 1);
    EXPECT_EQ(rows.UzelAt(0), uzel(2));

    rows.SetBranchFilter(TDocumentRows::IncidentBranches, uzel(1));
    ASSERT_EQ(rows.BranchCount(), 2);
    EXPECT_EQ(rows.BranchAt(0), b10);
    EXPECT_EQ(rows.BranchAt(1), b20);
    // The filter node goes away: the filter shows nothing rather than a dead node's list.
    TableEdits::DeleteUzel(mb.mine(), uzel(1), false);
    rows.Sync();
    EXPECT_EQ(rows.FilterUzel(), nullptr);
    EXPECT_EQ(rows.BranchCount(), 0);
}

TEST_F(Line4, SortingTheSameColumnAgainReverses)
{
    TDocumentRows rows(mb.get());
    rows.SortBranches(bsoNumber);
    EXPECT_EQ(rows.BranchAt(0), b10);
    rows.SortBranches(bsoNumber);
    EXPECT_EQ(rows.BranchAt(0), b30);
    rows.SortBranches(bsoNumber);
    EXPECT_EQ(rows.BranchAt(0), b10);
    rows.SortUzels(usoX);
    rows.SortUzels(usoX);
    EXPECT_EQ(rows.UzelAt(0)->Number(), 4);
    // The display order is what the file stores.
    EXPECT_EQ(rows.BranchOrderVector().front(), b10);
}

TEST_F(Line4, PlainShiftAndCtrlClicksOnNodes)
{
    TDocumentRows rows(mb.get());
    TRowSelection sel;
    sel.ClickUzel(rows, {1});
    EXPECT_EQ(mb.mine().Selection.UzelCount(), 0);
    sel.ClickUzel(rows, {3, false, true});
    EXPECT_FALSE(uzel(0)->Selected());
    EXPECT_TRUE(uzel(1)->Selected());
    EXPECT_TRUE(uzel(2)->Selected());
    EXPECT_TRUE(uzel(3)->Selected());
    sel.ClickUzel(rows, {2, true});
    EXPECT_FALSE(uzel(2)->Selected());
    sel.ClickUzel(rows, {0});
    EXPECT_EQ(mb.mine().Selection.UzelCount(), 0);
    // Ctrl with nothing selected yet takes the row of the last plain click along.
    sel.ClickUzel(rows, {3, true});
    EXPECT_TRUE(uzel(0)->Selected());
    EXPECT_TRUE(uzel(3)->Selected());
    // A right click on a selected node keeps the selection.
    sel.ClickUzel(rows, {3, false, false, true});
    EXPECT_EQ(mb.mine().Selection.UzelCount(), 2);
}

TEST_F(Line4, BranchClicksCarryTheirNodesAndKeepTheCurrentBranchSelected)
{
    TDocumentRows rows(mb.get());
    TRowSelection sel;
    uzel(3)->SetSelected(true);
    sel.ClickBranch(rows, {0});
    EXPECT_TRUE(b10->Selected());
    EXPECT_TRUE(uzel(0)->Selected());
    EXPECT_TRUE(uzel(1)->Selected());
    EXPECT_FALSE(uzel(3)->Selected()) << "a plain click clears the node selection";
    sel.ClickBranch(rows, {2, false, true});
    EXPECT_TRUE(b20->Selected());
    EXPECT_TRUE(b30->Selected());
    EXPECT_TRUE(uzel(3)->Selected());
    sel.ClickBranch(rows, {1, true});
    EXPECT_TRUE(b20->Selected()) << "the current branch ends up selected";
}

}  // namespace

// A branch deleted and another made before the rows hear of it: the counts are the same and
// the new branch may take the deleted one's memory, yet the rows are stale and put the new
// branch at the end, never in the deleted one's row.
TEST_F(Line4, BranchFreedAndAnotherMadeBeforeTheRowsSync)
{
    TDocumentRows rows(mb.get());
    rows.Reset(mb.get(), {b10, b20, b30});
    TableEdits::DeleteBranch(mb.mine(), b10);
    TBranch* added = TableEdits::AddBranch(mb.mine());
    EXPECT_TRUE(rows.MineChanged());
    EXPECT_EQ(rows.BranchAt(0), nullptr);
    EXPECT_EQ(rows.LiveBranchOrder(), (std::vector<TBranch*>{b20, b30, added}));
    rows.Sync();
    EXPECT_FALSE(rows.Stale());
    EXPECT_EQ(rows.BranchOrderVector(), (std::vector<TBranch*>{b20, b30, added}));
}
