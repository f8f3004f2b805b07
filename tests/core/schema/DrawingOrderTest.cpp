#include "core/schema/DrawingOrder.h"

#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {

TUzel* Placed(MineBuilder& m, int number, float sx, float sy, double z)
{
    TUzel* u = m.uzel(number, 0, 0, z);
    u->SetSX(sx);
    u->SetSY(sy);
    return u;
}

std::vector<int> Numbers(const std::vector<TBranch*>& order)
{
    std::vector<int> n;
    for (const TBranch* b : order)
        n.push_back(b->Number());
    return n;
}

}  // namespace

// The order from heights: a drift at -400 m crossed on the plan by one at -300 m and one at
// -500 m. At each crossing the higher working comes after the lower; the branches that
// cross nothing keep their places.
TEST(DrawingOrder, HigherWorkingsAreDrawnAboveLowerOnesWhereTheyCross)
{
    MineBuilder m;
    Placed(m, 1, 0, 50, -400);
    Placed(m, 2, 300, 50, -400);
    Placed(m, 3, 50, 0, -300);
    Placed(m, 4, 50, 100, -300);
    Placed(m, 5, 200, 0, -500);
    Placed(m, 6, 200, 100, -500);
    Placed(m, 7, 400, 0, 0);
    Placed(m, 8, 500, 0, 0);
    TBranch* high = m.branch(1, 3, 4);
    TBranch* middle = m.branch(2, 1, 2);
    TBranch* low = m.branch(3, 5, 6);
    TBranch* apart = m.branch(4, 7, 8);
    const std::vector<TBranch*> order{apart, high, middle, low};
    EXPECT_EQ(Numbers(DrawingOrder::FromHeights(order, {})), (std::vector<int>{4, 3, 2, 1}));
    // Branches the filter leaves out take part in no crossing.
    auto notLow = [&](const TBranch& b) { return &b != low; };
    EXPECT_EQ(Numbers(DrawingOrder::FromHeights(order, notLow)), (std::vector<int>{4, 2, 1, 3}));
}

// Front and back take the selected branches in their order; one step forward or back passes
// the nearest overlapping branch but never another selected one.
TEST(DrawingOrder, FrontBackAndOneStep)
{
    MineBuilder m;
    Placed(m, 1, 0, 0, 0);
    Placed(m, 2, 100, 0, 0);
    Placed(m, 3, 50, -50, 0);
    Placed(m, 4, 50, 50, 0);
    Placed(m, 5, 500, 0, 0);
    Placed(m, 6, 600, 0, 0);
    TBranch* a = m.branch(1, 1, 2);
    TBranch* far = m.branch(2, 5, 6);
    TBranch* crossing = m.branch(3, 3, 4);
    TBranch* b = m.branch(4, 1, 2);
    const std::vector<TBranch*> order{a, far, crossing, b};
    a->SetSelected(true);
    EXPECT_EQ(Numbers(DrawingOrder::ToFront(order)), (std::vector<int>{2, 3, 4, 1}));
    EXPECT_EQ(Numbers(DrawingOrder::ToBack({far, crossing, a, b})), (std::vector<int>{1, 2, 3, 4}));
    // Past the far branch (no overlap) to just after the crossing one.
    EXPECT_EQ(Numbers(DrawingOrder::Forward(order, 6)), (std::vector<int>{2, 3, 1, 4}));
    // A selected branch in the way is not passed over, even one that stays where it is.
    far->SetSelected(true);
    EXPECT_EQ(Numbers(DrawingOrder::Forward(order, 6)), (std::vector<int>{1, 2, 3, 4}));
    far->SetSelected(false);
    a->SetSelected(false);
    b->SetSelected(true);
    EXPECT_EQ(Numbers(DrawingOrder::Backward(order, 6)), (std::vector<int>{1, 2, 4, 3}));
}
