#include "CheckFixture.h"

// A single chain of 200 000 workings: every walk along it must keep to its own stack.
TEST(DeepChain, TheWholeCheckOfAVeryLongChainOfWorkingsRunsToTheEnd)
{
    constexpr int kWorkings = 200000;
    MineBuilder b;
    // The two ends first: every node after them lies inside the mine's bounds, which then
    // never have to be measured again.
    b.uzel(1, -1, -1, 1)->SetSurface(true);
    b.uzel(kWorkings + 1, 10.0 * (kWorkings + 1), 1, -200);
    for (int i = 2; i <= kWorkings; ++i)
        b.uzel(i, 10.0 * i, 0, -100);
    TBranch* first = nullptr;
    TBranch* last = nullptr;
    for (int i = 1; i <= kWorkings; ++i) {
        last = b.firePipe(i, i, i + 1);
        if (!first)
            first = last;
    }
    b.device(first, dkPump, 0, 1000001);
    auto* tap = b.device<TCrane>(last, dkCrane, 1, 1000002);
    tap->SetConsumption(true);

    TMessageList list;
    const TCheckOutcome outcome = RunPipelineCheck(b.mine(), list);
    EXPECT_EQ(list.Texts(), (QStringList{kUzelsOk, kBranchesOk, kNetworkOk, kDevicesOk, kPipelineOk}));
    EXPECT_FALSE(outcome.HasFindings());

    // Cut the chain in the middle: the hydrant at its far end is no longer fed.
    b.device<TGate>(b.mine().Branches.Items(kWorkings / 2), dkGate, 0.5, 1000003)->SetClosed(true);
    RunPipelineCheck(b.mine(), list);
    EXPECT_EQ(list.Texts().mid(4), (QStringList{kPipelineHeader, Err(1, "кран 1000002 изолирован от источников"), ""}));
}
