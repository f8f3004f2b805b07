#include "CheckFixture.h"

namespace {
struct Reachability : CheckFixture {
    void SetUp() override
    {
        BuildFedHydrant();
        hydrant->SetConsumption(true);
    }
    const QString isolatedHydrant = Err(1, QStringLiteral("кран 102 изолирован от источников"));
};
}  // namespace

TEST_F(Reachability, AHydrantFedByTheSurfacePumpIsReached)
{
    EXPECT_EQ(PipelineFindings(), QStringList{});
}

TEST_F(Reachability, AClosedGateStopsTheWaterAnAutomaticallyClosedOneDoesNot)
{
    auto* gate = b.device<TGate>(drift, dkGate, 0.5, 103);
    gate->SetClosed(true);
    EXPECT_EQ(PipelineFindings(), QStringList{isolatedHydrant});
    EXPECT_EQ(list.Resolve(list.Count() - 2, b.mine()), hydrant);

    // Closed automatically: a projected pipe goes on beyond the hydrant's node.
    gate->SetClosed(false);
    hydrant->SetPosition(0.9);
    drift->FirePipe()->Devices.SortByPosition();
    b.uzel(4, 200, 0, -100);
    TBranch* projected = b.firePipe(3, 3, 4);
    projected->FirePipe()->SetProjected(true);
    auto* endGate = b.device<TGate>(drift, dkGate, 1, 104);
    auto* farHydrant = b.device<TCrane>(drift, dkCrane, 0.95, 105);
    farHydrant->SetConsumption(true);
    drift->FirePipe()->Devices.SortByPosition();
    EXPECT_EQ(PipelineFindings(), QStringList{Warn(1, "выработка 2 - задвижка 104 закрыта автоматически")});
    EXPECT_TRUE(endGate->ClosedAutomatically);
}

TEST_F(Reachability, ReducersAndPumpsStopWaterComingFromTheSideTheyPushTo)
{
    auto* reducer = b.device<TReducer>(drift, dkReducer, 0.5, 103);
    reducer->SetHasCharacteristic(true);
    EXPECT_EQ(PipelineFindings(), QStringList{}) << "the reducer lets water on towards the end node";

    reducer->SetDirection(1);
    EXPECT_EQ(PipelineFindings(), QStringList{isolatedHydrant});

    reducer->SetOff(true);
    EXPECT_EQ(PipelineFindings(), QStringList{}) << "a reducer that is off lets water through both ways";

    reducer->SetOff(false);
    reducer->SetDirection(0);
    auto* booster = b.device<TPump>(drift, dkPump, 0.7, 104);
    booster->SetHeadDirection(1);
    EXPECT_EQ(PipelineFindings(), (QStringList{isolatedHydrant, Err(2, "насос 104 запитан из области без источников")}))
        << "the booster pushes back: its suction side, towards the hydrant, gets no water";

    booster->SetOff(true);
    EXPECT_EQ(PipelineFindings(), QStringList{});
}

// Water comes from every source, not only the first in the list: a second pipeline with its
// own surface pump, joined to the first by a working without a pipe, feeds its hydrant.
TEST_F(Reachability, EverySourceFeedsItsOwnPipeline)
{
    b.uzel(4, 0, 100, 0)->SetSurface(true);
    b.uzel(5, 100, 100, -100);
    b.branch(3, 3, 5);
    TBranch* second = b.firePipe(4, 4, 5);
    b.device<TPump>(second, dkPump, 0, 201);
    b.device<TCrane>(second, dkCrane, 1, 202)->SetConsumption(true);
    EXPECT_EQ(PipelineFindings(), QStringList{});

    pump->SetOff(true);
    EXPECT_EQ(PipelineFindings(), QStringList{isolatedHydrant}) << "the second pump does not reach the first pipeline";
}

TEST_F(Reachability, APumpNoSourceFeedsIsIsolated)
{
    b.uzel(4, 0, 100, -100);
    b.uzel(5, 0, 200, -100);
    TBranch* apart = b.firePipe(3, 4, 5);
    b.firePipe(4, 3, 4);
    b.device<TPump>(apart, dkPump, 0.5, 301);
    b.device<TCrane>(apart, dkCrane, 1, 302);
    // A closed gate cuts working 4 off from the pump at the surface.
    b.device<TGate>(b.mine().Branches.Last(), dkGate, 0.5, 401)->SetClosed(true);
    EXPECT_EQ(PipelineFindings(), QStringList{Err(1, "насос 301 изолирован от источников")});
}

TEST_F(Reachability, ASwitchedOffPumpIsNoSourceAtEitherEnd)
{
    pump->SetOff(true);
    EXPECT_EQ(PipelineFindings(), QStringList{isolatedHydrant}) << "pump at the start node";

    // The same working turned round: the pump stands at the end node, heading to the start.
    MineBuilder other;
    other.uzel(1, 0, 0, -100);
    other.uzel(2, 0, 0, 0)->SetSurface(true);
    TBranch* rise = other.firePipe(1, 1, 2);
    auto* endPump = other.device<TPump>(rise, dkPump, 1, 101);
    endPump->SetHeadDirection(1);
    other.device<TCrane>(rise, dkCrane, 0, 102)->SetConsumption(true);
    RunPipelineCheck(other.mine(), list, options);
    EXPECT_TRUE(list.Texts().contains(kPipelineOk));
    endPump->SetOff(true);
    RunPipelineCheck(other.mine(), list, options);
    EXPECT_TRUE(list.Texts().contains(isolatedHydrant)) << "pump at the end node";
}

TEST_F(Reachability, WaterFloodsOnlyThroughPipesThatReachTheNode)
{
    drift->FirePipe()->SetExtent(1, 0.1);
    b.device(drift, dkCrane, 0.1, 103);
    b.device(shaft, dkCrane, 1, 104);
    EXPECT_EQ(PipelineFindings(), QStringList{isolatedHydrant});
}

TEST_F(Reachability, FireEnginesAndTanksAtDeadEndsAreSources)
{
    shaft->FirePipe()->Devices.Remove(pump);
    pump = nullptr;
    EXPECT_EQ(PipelineFindings(), (QStringList{Err(1, "выработка 1 - на конце трубы отсутствуют насос, пож. машина, закрытая "
                                                      "задвижка, кран или резервуар(БРС)"),
                                               Err(2, "кран 102 изолирован от источников")}));

    auto* engine = b.device<TFireMachine>(shaft, dkFireMachine, 0, 103);
    engine->SetAddPressure(30);
    engine->SetVolume(5);
    EXPECT_EQ(PipelineFindings(), QStringList{});

    shaft->FirePipe()->Devices.Remove(engine);
    auto* tank = b.device<TJetBreakTank>(shaft, dkJetBreakTank, 0, 104);
    tank->SetVolume(100);
    tank->SetMakeUpFlow(5);
    EXPECT_EQ(PipelineFindings(), QStringList{}) << "a tank where the pipe begins feeds it";

    tank->SetPosition(0.5);
    b.device(shaft, dkCrane, 0, 105);
    EXPECT_EQ(PipelineFindings(), QStringList{isolatedHydrant}) << "a tank inside the pipe feeds nothing";
}

namespace {
//   1 (surface, z 0) -1-> 2 (z -100) -2-> 3 (z -300)
//                          \-3-> 4 (z -150)
//   working 31 runs from 3 up to 4 with tank 31 half way (z -225) and hydrant 32 at 4.
struct TankFixture : CheckFixture {
    TBranch* toHigh = nullptr;
    TJetBreakTank* tank = nullptr;

    void SetUp() override
    {
        b.uzel(1, 0, 0, 0)->SetSurface(true);
        b.uzel(2, 0, 0, -100);
        b.uzel(3, 100, 0, -300);
        b.uzel(4, 100, 100, -150);
        TBranch* b1 = b.firePipe(1, 1, 2);
        b.firePipe(2, 2, 3);
        toHigh = b.firePipe(3, 2, 4);
        TBranch* rise = b.firePipe(31, 3, 4);
        b.device(b1, dkPump, 0, 101);
        tank = b.device<TJetBreakTank>(rise, dkJetBreakTank, 0.5, 31);
        tank->SetVolume(10);
        tank->SetMakeUpFlow(1);
        b.device(rise, dkCrane, 1, 32);
    }
};
}  // namespace

TEST_F(TankFixture, ATankStoppedFromBelowButFedFromAboveIsNotIsolated)
{
    EXPECT_EQ(PipelineFindings(), QStringList{});
    b.mine().DeleteBranch(toHigh);
    EXPECT_EQ(PipelineFindings(), QStringList{Warn(1, "обнаружен резервуар или БРС 31, изолированный от источника")});
    EXPECT_EQ(list.Resolve(list.Count() - 2, b.mine()), tank);
    options.ShowWarnings = false;
    EXPECT_EQ(PipelineFindings(), QStringList{Warn(1, "обнаружен резервуар или БРС 31, изолированный от источника")})
        << "this warning does not depend on the setting";
}

TEST_F(TankFixture, ATankStoppedFromBothSidesIsReportedOnce)
{
    // Node 4 sinks to the level of node 3: the working is level and both sides stop at the tank.
    b.mine().Uzels.Items(3)->SetZ(-300);
    b.device(toHigh->Mine()->Branches.Last(), dkGate, 0.8, 33);
    toHigh->Mine()->Branches.Last()->FirePipe()->Devices.SortByPosition();
    EXPECT_EQ(PipelineFindings(), (QStringList{Err(1, "выработка 31 - резервуар(БРС) 31 расположен в горизонтальной выработке"),
                                               Warn(1, "обнаружен резервуар или БРС 31, изолированный от источника")}));
}
