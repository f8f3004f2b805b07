#include "core/checks/MessageList.h"
#include "core/hydraulics/HydroCalculation.h"
#include "core/model/PipePart.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

// Hand-worked mines. Pipes have a fixed specific resistance s = 10 s2/m6 and K = 1, so a
// section of L metres has R = 10·L s2/m5 and loses R·q² metres at q m3/s; flows are given
// in m3/h (36 m3/h = 0.01 m3/s). Node 1 is on the surface at Z = 0.
namespace {

constexpr double kS = 10;

class HydroCalculation : public ::testing::Test {
protected:
    TUzel* Uzel(int number, double x, double y, double z, bool surface = false)
    {
        TUzel* u = b.uzel(number, x, y, z);
        u->SetSurface(surface);
        return u;
    }
    TBranch* Pipe(int number, int from, int to)
    {
        TBranch* br = b.firePipe(number, from, to);
        br->FirePipe()->SetResistanceMode(1);
        br->FirePipe()->SetFixedResistance(kS);
        br->FirePipe()->SetK(1.0);
        return br;
    }
    TPump* Pump(TBranch* br, double position, int number, double a, double bCoef)
    {
        auto* p = b.device<TPump>(br, dkPump, position, number);
        p->SetValue(5, a);
        p->SetValue(6, bCoef);
        return p;
    }
    TCrane* Hydrant(TBranch* br, double position, int number, double flow)
    {
        auto* c = b.device<TCrane>(br, dkCrane, position, number);
        c->SetConsumption(flow > 0);
        c->SetFlow(flow);
        return c;
    }
    std::unique_ptr<THydroResults> Run()
    {
        TCheckOptions options;
        options.ShowWarnings = false;
        return THydroCalculation::Run(b.mine(), list, options);
    }
    QString Messages() const { return list.Texts().join(u'\n'); }
    double Pressure(const THydroResults& r, const TCrane* c) const
    {
        double p = std::numeric_limits<double>::quiet_NaN();
        r.HydrantPressure(*c, p);
        return p;
    }
    const TSectionResult& Section(const THydroResults& r, const TDevice* owner) const
    {
        const TSectionResult* v = r.Find(owner->Section());
        EXPECT_NE(v, nullptr);
        static const TSectionResult none;
        return v ? *v : none;
    }

    // The shaft brings 72 m3/h to node 2; drifts 2→3 and 3→4 (100 m each) on one side, 2→4
    // (141.42 m) on the other, a hydrant of 72 m3/h at node 4.
    void BuildLoop()
    {
        Uzel(1, 0, 0, 0, true);
        Uzel(2, 0, 0, -100);
        Uzel(3, 100, 0, -100);
        Uzel(4, 100, 100, -100);
        Pump(Pipe(1, 1, 2), 0, 101, 100, 0);
        a1 = Pipe(2, 2, 3);
        a2 = Pipe(3, 3, 4);
        diagonal = Pipe(4, 2, 4);
        Hydrant(a2, 1, 102, 72);
    }

    MineBuilder b;
    TMessageList list;
    TBranch* a1 = nullptr;
    TBranch* a2 = nullptr;
    TBranch* diagonal = nullptr;
};

}  // namespace

// Pump A = 50 m, B = 10 000 s2/m5 at the surface; 100 m down to a hydrant drawing 36 m3/h.
// Gain 50 − 10 000·0.01² = 49 m; the shaft loses 1000·0.01² = 0.1 m; the hydrant 100 m below
// sees 49 − 0.1 + 100 = 148.9 m: no plate.
TEST_F(HydroCalculation, ASurfacePumpFeedsOneHydrantDownAShaft)
{
    Uzel(1, 0, 0, 0, true);
    Uzel(2, 0, 0, -100);
    TBranch* shaft = Pipe(1, 1, 2);
    TPump* pump = Pump(shaft, 0, 101, 50, 10000);
    TCrane* hydrant = Hydrant(shaft, 1, 102, 36);
    auto r = Run();
    ASSERT_TRUE(r) << Messages().toStdString();
    EXPECT_TRUE(r->Converged);

    const TSectionResult& s = Section(*r, pump);
    EXPECT_NEAR(s.Q, 36, 1e-6);
    EXPECT_NEAR(s.R, 1000, 1e-9);
    EXPECT_NEAR(s.DeltaP, 0.1, 1e-6);
    EXPECT_NEAR(s.P1, 49, 1e-3);
    EXPECT_NEAR(s.P2, 148.9, 1e-3);
    EXPECT_NEAR(Pressure(*r, hydrant), 148.9, 1e-3);
    // The pipe's first section stands before the pump: no length, the pump's flow through it.
    const TSectionResult* first = r->Find(shaft->FirePipe()->GetSection(0));
    ASSERT_NE(first, nullptr);
    EXPECT_NEAR(first->Q, 36, 1e-6);
    EXPECT_TRUE(r->Washers.empty());
    EXPECT_TRUE(r->Lowers.empty());
    const TDeviceResult* d = r->FindDevice(pump);
    ASSERT_NE(d, nullptr);
    EXPECT_NEAR(d->PBefore, 0, 1e-6);
    EXPECT_NEAR(d->PAfter, 49, 1e-3);
    EXPECT_NEAR(d->Q, 36, 1e-6);
    const TUzelResult* bottom = r->FindUzel(shaft->EndUzel());
    ASSERT_NE(bottom, nullptr);
    EXPECT_NEAR(bottom->Head, 48.9, 1e-3);
    EXPECT_NEAR(bottom->Pressure, 148.9, 1e-3);
    EXPECT_TRUE(Messages().contains(QStringLiteral("итераций: ")));
}

// Two hydrants of 36 m3/h on a 200 m drift 100 m below a pump of A = 100, B = 10 000: the
// shaft carries 0.02 m3/s (gain 96, loss 0.4), the drift's first half 0.02 (0.4), its second
// half 0.01 (0.1). Heads 96, 95.6, 95.2, 95.1; pressures 195.2 and 195.1 m. Plate 1 (48 m)
// brings both to 150 m or below.
TEST_F(HydroCalculation, TwoHydrantsInSeriesGetTheirPlates)
{
    Uzel(1, 0, 0, 0, true);
    Uzel(2, 0, 0, -100);
    Uzel(3, 200, 0, -100);
    TBranch* shaft = Pipe(1, 1, 2);
    TBranch* drift = Pipe(2, 2, 3);
    Pump(shaft, 0, 101, 100, 10000);
    TCrane* middle = Hydrant(drift, 0.5, 102, 36);
    TCrane* end = Hydrant(drift, 1, 103, 36);
    auto r = Run();
    ASSERT_TRUE(r) << Messages().toStdString();
    EXPECT_NEAR(Pressure(*r, middle), 195.2, 1e-3);
    EXPECT_NEAR(Pressure(*r, end), 195.1, 1e-3);
    ASSERT_EQ(r->Washers.size(), 2u);
    EXPECT_EQ(r->Washers[0].Washer, 1);
    EXPECT_EQ(middle->WasherIndex(), 1);
    EXPECT_EQ(end->WasherIndex(), 1);
    const TSectionResult* drift0 = r->Find(drift->FirePipe()->GetSection(0));
    ASSERT_NE(drift0, nullptr);
    EXPECT_NEAR(drift0->Q, 72, 1e-6);
    EXPECT_NEAR(Section(*r, middle).Q, 36, 1e-6);
}

// A hydrant at 198.9 m: plate 1 leaves 150.9 m, plate 2 (76 m, 40 mm) 122.9 m — plate 2. A
// recalculation after the pressure fell takes the plate off again.
TEST_F(HydroCalculation, AHydrantAboveTheLimitGetsTheSmallestPlateThatIsEnough)
{
    Uzel(1, 0, 0, 0, true);
    Uzel(2, 0, 0, -100);
    TBranch* shaft = Pipe(1, 1, 2);
    TPump* pump = Pump(shaft, 0, 101, 100, 10000);
    TCrane* hydrant = Hydrant(shaft, 1, 102, 36);
    auto r = Run();
    ASSERT_TRUE(r) << Messages().toStdString();
    ASSERT_EQ(r->Washers.size(), 1u);
    EXPECT_NEAR(r->Washers[0].Pressure, 198.9, 1e-3);
    EXPECT_EQ(r->Washers[0].Washer, 2);
    EXPECT_EQ(hydrant->WasherIndex(), 2);
    EXPECT_EQ(TCrane::WasherSize(2), 40);
    EXPECT_EQ(THydroCalculation::ChooseWasher(1000), 9);
    EXPECT_EQ(THydroCalculation::ChooseWasher(150.5), 1);

    pump->SetValue(5, 20);  // 20 − 1 − 0.1 + 100 = 118.9 m
    r = Run();
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->Washers.empty());
    EXPECT_EQ(hydrant->WasherIndex(), 0);
}

// A loop: the shaft brings 72 m3/h to node 2; drifts 2→3 (100 m) and 3→4 (100 m) on one side,
// 2→4 (141.42 m) on the other, the hydrant at node 4. Equal losses on both ways give
// q_a / q_b = sqrt(R_b / R_a), q_a + q_b = 0.02.
TEST_F(HydroCalculation, ALoopSplitsTheFlowByResistance)
{
    BuildLoop();
    auto r = Run();
    ASSERT_TRUE(r) << Messages().toStdString();
    const double ra = 2 * kS * 100, rb = kS * std::sqrt(2.0) * 100;
    const double qb = 0.02 / (1 + std::sqrt(rb / ra)), qa = 0.02 - qb;
    const TSectionResult* va1 = r->Find(a1->FirePipe()->GetSection(0));
    const TSectionResult* va2 = r->Find(a2->FirePipe()->GetSection(0));
    const TSectionResult* vb = r->Find(diagonal->FirePipe()->GetSection(0));
    ASSERT_TRUE(va1 && va2 && vb);
    EXPECT_NEAR(va1->Q, qa * 3600, 1e-3);
    EXPECT_NEAR(va2->Q, qa * 3600, 1e-3);
    EXPECT_NEAR(vb->Q, qb * 3600, 1e-3);
    // Around the loop the head losses cancel.
    EXPECT_NEAR(va1->DeltaP + va2->DeltaP - vb->DeltaP, 0, 1e-3);
    EXPECT_NEAR(va1->P1 - va2->P2, vb->P1 - vb->P2, 1e-3);
}

// The same loop with a closed gate on the diagonal: all the water goes the long way.
TEST_F(HydroCalculation, AClosedGateTakesItsWayOutOfTheLoop)
{
    BuildLoop();
    b.device<TGate>(diagonal, dkGate, 0.5, 103)->SetClosed(true);
    auto r = Run();
    ASSERT_TRUE(r) << Messages().toStdString();
    EXPECT_NEAR(r->Find(a1->FirePipe()->GetSection(0))->Q, 72, 1e-6);
    EXPECT_NEAR(r->Find(diagonal->FirePipe()->GetSection(0))->Q, 0, 1e-9);
    EXPECT_NEAR(r->Find(diagonal->FirePipe()->GetSection(1))->Q, 0, 1e-9);
    // 0.02² · (1000 + 1000 + 1000 shaft) = 1.2 m lost: 100 − 1.2 + 100 at the hydrant.
    EXPECT_NEAR(r->Find(a2->FirePipe()->GetSection(0))->P2, 198.8, 1e-3);
}

// A 600 m shaft with a reducer 540 m down holding 5 kgf/cm² (50 m) at any flow: the hydrant
// at the bottom gets 50 − 60·10·0.01² = 49.94 m... plus the 60 m it falls after the reducer.
TEST_F(HydroCalculation, AReducerHoldsItsOutletPressureDownALongFall)
{
    Uzel(1, 0, 0, 0, true);
    Uzel(2, 0, 0, -600);
    TBranch* shaft = Pipe(1, 1, 2);
    Pump(shaft, 0, 101, 100, 0);
    auto* reducer = b.device<TReducer>(shaft, dkReducer, 0.9, 102);
    TReducerCharacter c;
    c.Resize(2, 2);
    c.SetInlet(0, 20);
    c.SetInlet(1, 60);
    c.SetLocking(0, 5);
    c.SetLocking(1, 10);
    c.SetFlow(0, 10);
    c.SetFlow(1, 100);
    c.SetOutlet(0, 0, 5);
    c.SetOutlet(0, 1, 5);
    c.SetOutlet(1, 0, 10);
    c.SetOutlet(1, 1, 10);
    reducer->SetCharacteristic(c);
    reducer->SetHasCharacteristic(true);
    reducer->SetLockingPressure(5);
    TCrane* hydrant = Hydrant(shaft, 1, 103, 36);
    auto r = Run();
    ASSERT_TRUE(r) << Messages().toStdString();
    const TDeviceResult* d = r->FindDevice(reducer);
    ASSERT_NE(d, nullptr);
    EXPECT_NEAR(d->PBefore, 100 - 5400 * 1e-4 + 540, 1e-3);
    EXPECT_NEAR(d->PAfter, 50, 1e-3);
    EXPECT_NEAR(Pressure(*r, hydrant), 50 + 60 - 600 * 1e-4, 1e-3);
    EXPECT_TRUE(r->Washers.empty());
}

// A tank halfway down a 200 m incline (Z −300) below a 200 m shaft breaks a 400 m fall: the
// hydrant at the bottom draws 72 m3/h from the tank (100 m of pipe: 0.4 m lost) and sees
// 100 − 0.4 = 99.6 m; above, the tank's float valve draws its make-up of 36 m3/h. Its 60 m3
// last 60 / (72 − 36) h = 100 min.
TEST_F(HydroCalculation, AJetBreakTankBreaksTheHeadOfAFall)
{
    Uzel(1, 0, 0, 0, true);
    Uzel(2, 0, 0, -200);
    Uzel(3, 0, 0, -400);
    TBranch* shaft = Pipe(1, 1, 2);
    TBranch* incline = Pipe(2, 2, 3);
    Pump(shaft, 0, 101, 100, 0);
    auto* tank = b.device<TJetBreakTank>(incline, dkJetBreakTank, 0.5, 102);
    tank->SetMakeUpFlow(36);
    tank->SetVolume(60);
    TCrane* hydrant = Hydrant(incline, 1, 103, 72);
    auto r = Run();
    ASSERT_TRUE(r) << Messages().toStdString();
    EXPECT_NEAR(Pressure(*r, hydrant), 99.6, 1e-3);
    EXPECT_NEAR(r->Find(shaft->FirePipe()->GetSection(1))->Q, 36, 1e-6);
    EXPECT_NEAR(r->Find(tank->Section())->Q, 72, 1e-6);
    const TDeviceResult* d = r->FindDevice(tank);
    ASSERT_NE(d, nullptr);
    EXPECT_NEAR(d->PAfter, 0, 1e-6);
    EXPECT_NEAR(d->PBefore, 100 - 3000 * 1e-4 + 300, 1e-3);
    EXPECT_TRUE(Messages().contains(QStringLiteral("резервуар 102: запас на 100 мин"))) << Messages().toStdString();
}

// Two surface pumps feed node 2; the weak one (A = 10 m) cannot lift against the strong one's
// 100 m, so its check valve closes and the hydrant is fed by the strong pump alone.
TEST_F(HydroCalculation, AWeakPumpsCheckValveCloses)
{
    Uzel(1, 0, 0, 0, true);
    Uzel(5, 50, 0, 0, true);
    Uzel(2, 0, 0, -100);
    TBranch* strong = Pipe(1, 1, 2);
    TBranch* weak = Pipe(2, 5, 2);
    Pump(strong, 0, 101, 100, 0);
    TPump* weakPump = Pump(weak, 0, 102, 10, 1000);
    Hydrant(strong, 1, 103, 36);
    auto r = Run();
    ASSERT_TRUE(r) << Messages().toStdString();
    const TDeviceResult* d = r->FindDevice(weakPump);
    ASSERT_NE(d, nullptr);
    EXPECT_NEAR(d->Q, 0, 1e-6);
    EXPECT_NEAR(r->Find(strong->FirePipe()->GetSection(1))->Q, 36, 1e-6);
    EXPECT_GT(d->PAfter, 10);  // the head held back by the closed valve
}

// A switched-off pump inside the pipe passes the water without loss; a fire engine on the
// surface is a source of its own head.
TEST_F(HydroCalculation, ASwitchedOffPumpPassesAndAFireEngineFeeds)
{
    Uzel(1, 0, 0, 0, true);
    Uzel(2, 0, 0, -100);
    TBranch* shaft = Pipe(1, 1, 2);
    auto* engine = b.device<TFireMachine>(shaft, dkFireMachine, 0, 101);
    engine->SetAddPressure(80);
    engine->SetVolume(10);
    TPump* off = Pump(shaft, 0.5, 102, 100, 0);
    off->SetOff(true);
    TCrane* hydrant = Hydrant(shaft, 1, 103, 36);
    auto r = Run();
    ASSERT_TRUE(r) << Messages().toStdString();
    // 80 m at the surface, 0.1 m lost over the shaft, 100 m of fall.
    EXPECT_NEAR(Pressure(*r, hydrant), 179.9, 1e-3);
    const TDeviceResult* d = r->FindDevice(off);
    ASSERT_NE(d, nullptr);
    EXPECT_NEAR(d->PBefore, d->PAfter, 1e-9);
    EXPECT_NEAR(d->Q, 36, 1e-6);
}

// Input the calculation cannot take gives a message and no results.
TEST_F(HydroCalculation, BadInputGivesAMessageAndNoResults)
{
    Uzel(1, 0, 0, 0, true);
    Uzel(2, 0, 0, -100);
    TBranch* shaft = Pipe(1, 1, 2);
    TPump* pump = Pump(shaft, 0, 101, 0, 0);
    TCrane* hydrant = Hydrant(shaft, 1, 102, 36);
    THydroCalculation calc;
    EXPECT_FALSE(calc.Prepare(b.mine(), list));
    EXPECT_TRUE(Messages().contains(QStringLiteral("насос 101 - неверная характеристика"))) << Messages().toStdString();

    pump->SetValue(5, 50);
    hydrant->SetFlow(-5);
    list.ClearAll();
    EXPECT_EQ(Run(), nullptr);
    EXPECT_TRUE(Messages().contains(QStringLiteral("кран 102 - неверный расход"))) << Messages().toStdString();

    hydrant->SetFlow(std::numeric_limits<double>::quiet_NaN());
    list.ClearAll();
    EXPECT_EQ(Run(), nullptr);

    hydrant->SetFlow(36);
    shaft->FirePipe()->SetResistanceMode(0);
    shaft->FirePipe()->SetDiameter(0);  // the pipeline check refuses it
    list.ClearAll();
    EXPECT_EQ(Run(), nullptr);
    EXPECT_TRUE(Messages().contains(QStringLiteral("диаметр трубопровода = 0"))) << Messages().toStdString();

    shaft->FirePipe()->SetDiameter(100);
    shaft->FirePipe()->SetWallThickness(50);  // no bore left
    list.ClearAll();
    EXPECT_EQ(Run(), nullptr);
    EXPECT_TRUE(Messages().contains(QStringLiteral("внутренний диаметр трубы не больше 0"))) << Messages().toStdString();

    // No source at all: the check finds the hydrant cut off.
    shaft->FirePipe()->SetWallThickness(5);
    pump->SetOff(true);
    list.ClearAll();
    EXPECT_EQ(Run(), nullptr);
}
