#include "core/services/BranchSplit.h"
#include "core/file/NetworkFile.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {

QByteArray Bytes(const TMine& mine)
{
    return NetworkFile::WriteBody(mine, TDocumentSettings::Defaults(), {}, kCurrentStreamVersion);
}

template <class Action>
QString Refusal(Action action)
{
    try {
        action();
    } catch (const EMineError& e) {
        return e.Message();
    }
    return QString();
}

std::vector<int> Numbers(const std::vector<TSplitNode>& nodes)
{
    std::vector<int> n;
    for (const auto& node : nodes)
        n.push_back(node.Number);
    return n;
}

std::vector<int> Numbers(const std::vector<TSplitBranch>& branches)
{
    std::vector<int> n;
    for (const auto& b : branches)
        n.push_back(b.Number);
    return n;
}

// A 400 m branch 1 (nodes 1 -> 2) with: a fire pipe on [0.2, 1] carrying a gate (10) at 0.4
// and a hydrant (11) at 0.6; a drainage pipe on [0.5, 1] with a gate (13) where it begins;
// an air pipe on [0, 0.5] with a gate (12) where it ends; a degasification pipe with a
// vacuum pump (30) at 0.9. Node 5 and branch 4 elsewhere leave gaps in the numbering.
struct SplitLoadedBranch : ::testing::Test {
    MineBuilder mb;
    TBranch* b = nullptr;
    void SetUp() override
    {
        mb.uzel(1, 0, 0, 0);
        mb.uzel(2, 400, 0, 40);
        mb.uzel(5, 0, 100, 0);
        mb.branch(4, 1, 5);
        b = mb.branch(1, 1, 2);
        b->SetRemark(QStringLiteral("штрек"));
        b->SetLayerIndex(-1);
        for (int slot : {0, 1, 2})
            b->WaterPipe(slot)->SetPresent(true);
        b->WaterPipe(0)->SetDiameter(150);
        b->WaterPipe(0)->SetFractions(0.2, 1);
        b->WaterPipe(1)->SetFractions(0.5, 1);
        b->WaterPipe(2)->SetFractions(0, 0.5);
        mb.device(b, dkGate, 0.4, 10, 0);
        mb.device(b, dkCrane, 0.6, 11, 0);
        mb.device(b, dkGate, 0.5, 13, 1);
        mb.device(b, dkGate, 0.5, 12, 2);
        TGasPipe* gas = mb.gasPipe(b, 7);
        gas->SetDiameter(300);
        mb.device(b, dkVacuumPump, 0.9, 30, 3);
    }
};

}  // namespace

TEST(BranchSplit, ThreeHundredMetresByTwoNodesGivesThreeEqualPiecesInPlace)
{
    MineBuilder mb;
    mb.uzel(1, 0, 0, 0);
    mb.uzel(2, 300, 0, 0);
    mb.uzel(3, 0, 50, 0);
    TBranch* before = mb.branch(8, 3, 1);
    TBranch* b = mb.branch(9, 1, 2);
    TBranch* after = mb.branch(10, 2, 3);
    TSplitPlan plan = BranchSplit::Plan(mb.mine(), *b, 2, TSplitNumbering::AfterMax, TSplitNumbering::AfterMax);
    EXPECT_DOUBLE_EQ(BranchSplit::PieceLength(plan, 1), 100);
    const auto pieces = BranchSplit::Execute(mb.mine(), plan);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(mb.mine().Branches.ToVector(), (std::vector<TBranch*>{before, pieces[0], pieces[1], pieces[2], after}));
    EXPECT_EQ(pieces[0]->Number(), 9);
    EXPECT_EQ(pieces[1]->Number(), 11);
    EXPECT_EQ(pieces[2]->Number(), 12);
    for (TBranch* piece : pieces)
        EXPECT_NEAR(piece->Length(), 100, 1e-9);
    EXPECT_DOUBLE_EQ(pieces[0]->EndUzel()->X(), 100);
    EXPECT_EQ(pieces[0]->EndNumber(), 4);
    EXPECT_EQ(pieces[2]->StartNumber(), 5);
    EXPECT_FLOAT_EQ(pieces[1]->EndUzel()->SX(), 200);
}

// A pipe that ends inside a piece keeps its end there, in the piece's own fractions; the new
// nodes lie on the old branch in all three coordinates, counted from its start node.
TEST(BranchSplit, APipeEndingInsideAPieceAndNodesOnTheSlope)
{
    MineBuilder mb;
    TUzel* from = mb.uzel(1, 0, 300, 30);
    TUzel* to = mb.uzel(2, 300, 0, -60);
    from->SetSX(10);
    from->SetSY(20);
    to->SetSX(310);
    to->SetSY(620);
    TBranch* b = mb.firePipe(1, 1, 2);
    b->FirePipe()->SetFractions(0.1, 0.6);
    TSplitPlan plan = BranchSplit::Plan(mb.mine(), *b, 2, TSplitNumbering::AfterMax, TSplitNumbering::AfterMax);
    const auto p = BranchSplit::Execute(mb.mine(), plan);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_NEAR(p[0]->FirePipe()->StartFrac(), 0.3, 1e-12);
    EXPECT_DOUBLE_EQ(p[0]->FirePipe()->EndFrac(), 1);
    EXPECT_DOUBLE_EQ(p[1]->FirePipe()->StartFrac(), 0);
    EXPECT_NEAR(p[1]->FirePipe()->EndFrac(), 0.8, 1e-12);
    EXPECT_FALSE(p[2]->FirePipe()->Present());

    const TUzel* third = p[0]->EndUzel();
    EXPECT_NEAR(third->X(), 100, 1e-9);
    EXPECT_NEAR(third->Y(), 200, 1e-9);
    EXPECT_NEAR(third->Z(), 0, 1e-9);
    const TUzel* twoThirds = p[1]->EndUzel();
    EXPECT_NEAR(twoThirds->X(), 200, 1e-9);
    EXPECT_NEAR(twoThirds->Y(), 100, 1e-9);
    EXPECT_NEAR(twoThirds->Z(), -30, 1e-9);
    EXPECT_NEAR(third->SX(), 110, 1e-3);
    EXPECT_NEAR(third->SY(), 220, 1e-3);
}

TEST_F(SplitLoadedBranch, FourPiecesShareThePipesAndDevicesByWhereThePipesLie)
{
    TSplitPlan plan = BranchSplit::Plan(mb.mine(), *b, 3, TSplitNumbering::AfterMax, TSplitNumbering::AfterMax);
    const auto p = BranchSplit::Execute(mb.mine(), plan);
    ASSERT_EQ(p.size(), 4u);
    EXPECT_EQ(mb.mine().Branches.Count(), 5);

    // Fire pipe [0.2, 1]: on every piece, from 0.8 of the first.
    for (TBranch* piece : p) {
        EXPECT_TRUE(piece->WaterPipe(0)->Present());
        EXPECT_EQ(piece->WaterPipe(0)->Diameter(), 150);
        EXPECT_EQ(piece->Remark(), QStringLiteral("штрек"));
    }
    EXPECT_NEAR(p[0]->WaterPipe(0)->StartFrac(), 0.8, 1e-12);
    EXPECT_DOUBLE_EQ(p[3]->WaterPipe(0)->StartFrac(), 0);
    ASSERT_EQ(p[1]->WaterPipe(0)->Devices.Count(), 1);
    EXPECT_EQ(p[1]->WaterPipe(0)->Devices.First()->Number(), 10);
    EXPECT_NEAR(p[1]->WaterPipe(0)->Devices.First()->Position(), 0.6, 1e-12);
    ASSERT_EQ(p[2]->WaterPipe(0)->Devices.Count(), 1);
    EXPECT_NEAR(p[2]->WaterPipe(0)->Devices.First()->Position(), 0.4, 1e-12);
    EXPECT_EQ(p[2]->WaterPipe(0)->Devices.First()->Branch(), p[2]);

    // Air pipe [0, 0.5]: its gate at the split node ends the second piece.
    EXPECT_TRUE(p[1]->WaterPipe(2)->Present());
    EXPECT_FALSE(p[2]->WaterPipe(2)->Present());
    ASSERT_EQ(p[1]->WaterPipe(2)->Devices.Count(), 1);
    EXPECT_DOUBLE_EQ(p[1]->WaterPipe(2)->Devices.First()->Position(), 1);

    // Drainage pipe [0.5, 1]: its gate at the split node goes where the pipe is laid.
    EXPECT_FALSE(p[1]->WaterPipe(1)->Present());
    ASSERT_EQ(p[2]->WaterPipe(1)->Devices.Count(), 1);
    EXPECT_DOUBLE_EQ(p[2]->WaterPipe(1)->Devices.First()->Position(), 0);
    EXPECT_EQ(p[1]->WaterPipe(1)->Devices.Count(), 0);

    // The degasification pipe is divided like the water pipes, its pump on the last piece.
    for (TBranch* piece : p) {
        ASSERT_EQ(piece->GasPipeCount(), 1);
        EXPECT_EQ(static_cast<TGasPipe*>(piece->Pipes.Items(3))->PipeNo(), 7);
    }
    ASSERT_EQ(p[3]->Pipes.Items(3)->Devices.Count(), 1);
    EXPECT_NEAR(p[3]->Pipes.Items(3)->Devices.First()->Position(), 0.6, 1e-12);
    EXPECT_EQ(mb.mine().DevicesByPipeKind[pkGas].Count(), 1);
}

TEST_F(SplitLoadedBranch, NumbersAfterTheLargestFreeOrTyped)
{
    const TSplitPlan afterMax =
        BranchSplit::Plan(mb.mine(), *b, 3, TSplitNumbering::AfterMax, TSplitNumbering::AfterMax);
    EXPECT_EQ(Numbers(afterMax.Nodes), (std::vector<int>{6, 7, 8}));
    EXPECT_EQ(Numbers(afterMax.Branches), (std::vector<int>{1, 5, 6, 7}));
    EXPECT_DOUBLE_EQ(afterMax.Nodes[2].T, 0.75);

    // Free: nodes 1, 2, 5 and water devices 10-13 are used; branches 1 and 4.
    TSplitPlan plan = BranchSplit::Plan(mb.mine(), *b, 3, TSplitNumbering::Free, TSplitNumbering::Free);
    EXPECT_EQ(Numbers(plan.Nodes), (std::vector<int>{3, 4, 6}));
    EXPECT_EQ(Numbers(plan.Branches), (std::vector<int>{1, 2, 3, 5}));
    EXPECT_EQ(plan.Branches[1].Start, 3);
    EXPECT_EQ(plan.Branches[3].End, 2);

    BranchSplit::SetUzelNumber(plan, 1, 40);
    EXPECT_EQ(plan.Branches[1].End, 40);
    EXPECT_EQ(plan.Branches[2].Start, 40);
    BranchSplit::Execute(mb.mine(), plan);
    EXPECT_NE(mb.mine().FirstUzelWithNumber(40), nullptr);
    EXPECT_EQ(mb.mine().Branches.Items(mb.mine().Branches.IndexOfNumber(2))->EndNumber(), 40);
}

TEST_F(SplitLoadedBranch, RefusedPlansLeaveTheMineAsItWas)
{
    const QByteArray before = Bytes(mb.mine());
    const TSplitPlan good = BranchSplit::Plan(mb.mine(), *b, 3, TSplitNumbering::AfterMax, TSplitNumbering::AfterMax);
    const auto refusal = [&](auto change) {
        TSplitPlan plan = good;
        change(plan);
        return Refusal([&] { BranchSplit::Execute(mb.mine(), plan); });
    };
    EXPECT_EQ(refusal([](TSplitPlan& p) { p.Nodes[1].T = p.Nodes[0].T; }), BranchSplit::kCoincidentNodes);
    EXPECT_EQ(refusal([](TSplitPlan& p) { p.Nodes[2].T = 1; }), BranchSplit::kCoincidentNodes);
    EXPECT_EQ(refusal([](TSplitPlan& p) { p.Nodes[0].T = 0; }), BranchSplit::kCoincidentNodes);
    EXPECT_EQ(refusal([](TSplitPlan& p) { BranchSplit::SetUzelNumber(p, 0, 0); }), BranchSplit::kBadNumber);
    EXPECT_EQ(refusal([](TSplitPlan& p) { BranchSplit::SetUzelNumber(p, 0, 5); }),
              BranchSplit::kUzelNumberUsed.arg(5));
    EXPECT_EQ(refusal([](TSplitPlan& p) { BranchSplit::SetUzelNumber(p, 0, 11); }),
              BranchSplit::kUzelNumberUsed.arg(11));
    EXPECT_EQ(refusal([](TSplitPlan& p) { BranchSplit::SetUzelNumber(p, 2, p.Nodes[0].Number); }),
              BranchSplit::kUzelNumberUsed.arg(6));
    EXPECT_EQ(refusal([](TSplitPlan& p) { p.Branches[1].Number = -3; }), BranchSplit::kBadNumber);
    EXPECT_EQ(refusal([](TSplitPlan& p) { p.Branches[2].Number = 4; }), BranchSplit::kBranchNumberUsed.arg(4));
    EXPECT_EQ(refusal([](TSplitPlan& p) { p.Branches[3].Number = p.Branches[1].Number; }),
              BranchSplit::kBranchNumberUsed.arg(5));
    EXPECT_EQ(Bytes(mb.mine()), before);

    TBranch* loose = mb.branch(20, 1, 99);
    EXPECT_EQ(Refusal([&] { BranchSplit::CheckSplittable(*loose); }), BranchSplit::kNotLinked.arg(20));
    const TSplitPlan plan = BranchSplit::Plan(mb.mine(), *loose, 1, TSplitNumbering::Free, TSplitNumbering::Free);
    EXPECT_EQ(Refusal([&] { BranchSplit::Execute(mb.mine(), plan); }), BranchSplit::kNotLinked.arg(20));
}
