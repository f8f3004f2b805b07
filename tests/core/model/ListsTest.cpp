#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {
std::vector<int> Numbers(const TUzelList& list)
{
    std::vector<int> v;
    for (TUzel* u : list)
        v.push_back(u->Number());
    return v;
}
}  // namespace

TEST(Lists, IndexOfNumberSearchesFromTheStartIndex)
{
    MineBuilder b;
    b.uzel(4);
    b.uzel(7);
    b.uzel(4);
    EXPECT_EQ(b.mine().Uzels.IndexOfNumber(4, 0), 0);
    EXPECT_EQ(b.mine().Uzels.IndexOfNumber(4, 1), 2);
    EXPECT_EQ(b.mine().Uzels.IndexOfNumber(4, 3), -1);
    EXPECT_EQ(b.mine().Uzels.IndexOfNumber(9, 0), -1);
    EXPECT_THROW(b.mine().Uzels.Items(3), EListError);
}

TEST(Lists, SortingTheSameOrderAgainReversesItAndAnotherOrderStartsAscending)
{
    MineBuilder b;
    b.uzel(2, 30);
    b.uzel(1, 20);
    b.uzel(3, 10);
    auto& list = b.mine().Uzels;
    list.Sort(usoNumber, false);
    EXPECT_EQ(Numbers(list), (std::vector<int>{1, 2, 3}));
    list.Sort(usoNumber, true);
    EXPECT_EQ(Numbers(list), (std::vector<int>{3, 2, 1}));
    EXPECT_TRUE(list.Descending());
    list.Sort(usoNumber, true);
    EXPECT_EQ(Numbers(list), (std::vector<int>{1, 2, 3}));
    list.Sort(usoX, false);
    EXPECT_EQ(Numbers(list), (std::vector<int>{3, 1, 2}));
    // Indexes follow the new order.
    EXPECT_EQ(list.Items(0)->GetIndex(), 0);
    EXPECT_EQ(list.Items(2)->GetIndex(), 2);
}

TEST(Lists, NumberSortDoesNotOverflowOnExtremeNumbers)
{
    MineBuilder b;
    b.uzel(INT32_MAX);
    b.uzel(INT32_MIN);
    b.uzel(0);
    b.mine().Uzels.Sort(usoNumber, false);
    EXPECT_EQ(Numbers(b.mine().Uzels), (std::vector<int>{INT32_MIN, 0, INT32_MAX}));
}

TEST(Lists, BranchSortByCoefficientGroupsNearlyEqualValuesAndFallsBackToNumbers)
{
    MineBuilder b;
    const double k = 1.05;
    TBranch* a = b.firePipe(30, 1, 2);
    TBranch* c = b.firePipe(10, 1, 2);
    TBranch* d = b.firePipe(20, 1, 2);
    TBranch* unlaid = b.branch(40, 1, 2);
    a->FirePipe()->SetK(k);
    c->FirePipe()->SetK(k * (1 + 1e-13));
    d->FirePipe()->SetK(1.2);
    TInfoBranchList view(b.get());
    view.Assign(b.mine().Branches);
    view.Sort(bsoFireK, false);
    std::vector<TBranch*> got = view.ToVector();
    EXPECT_EQ(got, (std::vector<TBranch*>{unlaid, c, a, d}));
}

TEST(Lists, OwningListKeepsIndexesRightAcrossRemovals)
{
    MineBuilder b;
    for (int i = 1; i <= 6; ++i)
        b.uzel(i);
    b.mine().DeleteUzel(b.mine().Uzels.Items(1));
    b.mine().DeleteUzel(b.mine().Uzels.Items(3));
    int i = 0;
    for (TUzel* u : b.mine().Uzels)
        EXPECT_EQ(u->GetIndex(), i++);
    EXPECT_EQ(b.mine().Uzels.Count(), 4);
}

TEST(Selection, CountersStayRightWhenSelectedObjectsAreDestroyed)
{
    MineBuilder b;
    TUzel* n1 = b.uzel(1);
    TUzel* n2 = b.uzel(2);
    TBranch* br = b.branch(1, 1, 2);
    auto* pump = b.device(br, dkPump, 0.5, 100);
    n1->SetSelected(true);
    n2->SetSelected(true);
    br->SetSelected(true);
    pump->SetSelected(true);
    auto& sel = b.mine().Selection;
    EXPECT_EQ(sel.UzelCount(), 2);
    EXPECT_EQ(sel.OtherCount(), 2);

    b.mine().DeleteBranch(br);  // takes the pump with it
    EXPECT_EQ(sel.OtherCount(), 0);
    b.mine().DeleteUzel(n1);
    EXPECT_EQ(sel.UzelCount(), 1);
    EXPECT_EQ(sel.Count(), 1);
    EXPECT_EQ(sel.RemoveClass<TUzel>(), 1);
    EXPECT_FALSE(n2->Selected());
    EXPECT_EQ(sel.UzelCount(), 0);
}

TEST(Mine, DestroyingAMineWithSeamsSelectionAndDevicesTouchesNothingFreed)
{
    // Seams renumber branches when freed, devices leave views, selected objects leave the
    // selection: none of it may reach lists the mine has already freed.
    auto mine = std::make_unique<TMine>();
    TLayer::Create(mine.get());
    TLayer::Create(mine.get());
    TPLFPosition::Create(mine.get());
    for (int i = 1; i <= 50; ++i) {
        TUzel::Create(mine.get(), i)->SetSelected(true);
        TBranch* br = TBranch::Create(mine.get(), i, i, i + 1);
        br->SetLayerIndex(i % 2);
        br->SetSelected(true);
        TDevice::CreateDevice(br, br->FirePipe(), dkGate)->SetSelected(true);
        TDevice::CreateDevice(br, TGasPipe::Create(br), dkSlit);
    }
    int events = 0;
    mine->OnChange = [&](TMine*, bool) { ++events; };
    mine.reset();
    EXPECT_EQ(events, 0);
}

TEST(Mine, SettersReportCosmeticOrStructuralChanges)
{
    MineBuilder b;
    b.uzel(1);
    TBranch* br = b.branch(1, 1, 2);
    std::vector<bool> flags;
    b.mine().OnChange = [&](TMine*, bool s) { flags.push_back(s); };
    br->SetRemark(QStringLiteral("x"));
    br->FirePipe()->SetDiameter(100);
    b.mine().SetName(QStringLiteral("y"));
    b.mine().SetCenter(7, 1);  // an unknown axis still reports
    ASSERT_EQ(flags.size(), 4u);
    EXPECT_FALSE(flags[0]);
    EXPECT_TRUE(flags[1]);
    EXPECT_FALSE(flags[2]);
    EXPECT_FALSE(flags[3]);
    EXPECT_EQ(b.mine().CenterX(), 0);
}
