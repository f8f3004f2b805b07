#include "CheckFixture.h"

namespace {
const QString kOpenEnd =
    QStringLiteral("на конце трубы отсутствуют насос, пож. машина, закрытая задвижка, кран или резервуар(БРС)");

struct PipeEnds : CheckFixture {
    TBranch* spur = nullptr;

    // Working 3 leaves node 3 for node 4, where nothing else goes on.
    void BuildSpur()
    {
        BuildFedHydrant();
        b.uzel(4, 200, 0, -100);
        spur = b.firePipe(3, 4, 3);
    }
};
}  // namespace

TEST_F(PipeEnds, ADeadEndNeedsAClosingDeviceRightAtThePipeEnd)
{
    BuildSpur();
    EXPECT_EQ(PipelineFindings(), QStringList{Err(1, "выработка 3 - " + kOpenEnd)}) << "no device at all";

    auto* gate = b.device<TGate>(spur, dkGate, 0, 301);
    EXPECT_EQ(PipelineFindings(), QStringList{Err(1, "выработка 3 - " + kOpenEnd)}) << "an open gate";
    EXPECT_EQ(list.Resolve(list.Count() - 2, b.mine()), spur);

    gate->SetClosed(true);
    EXPECT_EQ(PipelineFindings(), QStringList{}) << "a closed gate";
    EXPECT_TRUE(list.Texts().contains(kPipelineOk));
}

TEST_F(PipeEnds, APipeStoppingShortOfItsNodeEndsThereAndOnlyTheDeviceRightAtItsEndCloses)
{
    BuildFedHydrant();
    drift->FirePipe()->SetExtent(1, 0.25);
    EXPECT_EQ(PipelineFindings(), (QStringList{Err(1, "выработка 1 - " + kOpenEnd), Err(2, "выработка 2 - " + kOpenEnd)}))
        << "the shaft no longer meets another pipe at node 2 either";

    b.device(drift, dkCrane, 0.3, 103);
    b.device(shaft, dkCrane, 1, 104);
    EXPECT_EQ(PipelineFindings(), QStringList{Err(1, "выработка 2 - " + kOpenEnd)}) << "0.3 is not the pipe's start 0.25";
    b.device(drift, dkCrane, 0.25, 105);
    EXPECT_EQ(PipelineFindings(), QStringList{});
}

TEST_F(PipeEnds, BothEndsOfOnePipeCanBeOpen)
{
    BuildSpur();
    spur->FirePipe()->SetExtent(1, 0.2);
    spur->FirePipe()->SetExtent(2, 0.8);
    const QStringList findings = PipelineFindings();
    EXPECT_EQ(findings, (QStringList{Err(1, "выработка 3 - " + kOpenEnd), Err(2, "выработка 3 - " + kOpenEnd)}));
}

TEST_F(PipeEnds, AGateWhereOnlyAProjectedPipeGoesOnIsClosedAutomatically)
{
    BuildSpur();
    spur->FirePipe()->SetProjected(true);
    hydrant->SetPosition(0.5);
    auto* gate = b.device<TGate>(drift, dkGate, 1, 201);
    b.device(spur, dkCrane, 0, 301);

    EXPECT_EQ(PipelineFindings(), (QStringList{Warn(1, "выработка 3 - устройства при отсутствии трубопровода"),
                                               Warn(2, "выработка 2 - задвижка 201 закрыта автоматически")}));
    EXPECT_TRUE(gate->ClosedAutomatically) << "the mark stays after the run";

    options.ShowWarnings = false;
    EXPECT_EQ(PipelineFindings(), QStringList{});

    options.ShowWarnings = true;
    options.UseProjectedPipes = true;
    EXPECT_EQ(PipelineFindings(), QStringList{}) << "the projected pipe counts: nothing is closed";
    EXPECT_FALSE(gate->ClosedAutomatically) << "every run decides afresh";
}

TEST_F(PipeEnds, AStaleAutomaticClosingNeverHidesAnOpenEnd)
{
    BuildSpur();
    spur->FirePipe()->SetProjected(true);
    auto* gate = b.device<TGate>(drift, dkGate, 0.9, 201);
    hydrant->SetPosition(0.5);
    drift->FirePipe()->Devices.SortByPosition();
    PipelineFindings();
    ASSERT_TRUE(gate->ClosedAutomatically);

    // The projected pipe is dropped: the drift now simply ends at node 3 behind an open gate.
    spur->FirePipe()->SetProjected(false);
    spur->FirePipe()->SetPresent(false);
    EXPECT_EQ(PipelineFindings(), QStringList{Err(1, "выработка 2 - " + kOpenEnd)});
    EXPECT_FALSE(gate->ClosedAutomatically);
}

TEST_F(PipeEnds, TowardsAProjectedPipeAnyDeviceClosesAStartButOnlyAGateClosesAnEnd)
{
    //   1 (surface) --1--> 2 --2--> 3 ==3 (projected)==> 5 --4--> 6
    b.uzel(1, 0, 0, 0)->SetSurface(true);
    b.uzel(2, 0, 0, -100);
    b.uzel(3, 100, 0, -100);
    b.uzel(5, 200, 0, -100);
    b.uzel(6, 300, 0, -100);
    TBranch* b1 = b.firePipe(1, 1, 2);
    TBranch* b2 = b.firePipe(2, 2, 3);
    b.firePipe(3, 3, 5)->FirePipe()->SetProjected(true);
    TBranch* b4 = b.firePipe(4, 5, 6);
    b.device(b1, dkPump, 0, 101);
    b.device<TReducer>(b2, dkReducer, 0.5, 202)->SetHasCharacteristic(true);
    b.device<TReducer>(b4, dkReducer, 0.5, 401)->SetHasCharacteristic(true);
    b.device(b4, dkCrane, 1, 402);

    EXPECT_EQ(PipelineFindings(), QStringList{Err(1, "выработка 2 - " + kOpenEnd)})
        << "the end of working 2 stays open, the start of working 4 counts as closed";
}
