#include "support/MineBuilder.h"

#include "core/model/PipePart.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Pipes, NewBranchHasThreeUnlaidWaterPipes)
{
    MineBuilder b;
    TBranch* br = b.branch(1, 1, 2);
    ASSERT_EQ(br->Pipes.Count(), 3);
    for (int slot = 0; slot < 3; ++slot) {
        EXPECT_EQ(br->Pipes.Items(slot)->Kind(), slot);
        EXPECT_FALSE(IsLaid(br->Pipes.Items(slot)));
        EXPECT_EQ(br->Pipes.Items(slot)->Diameter(), 150);
        EXPECT_DOUBLE_EQ(br->WaterPipe(slot)->K(), 1.05);
    }
    TGasPipe* gas = b.gasPipe(br, 4);
    EXPECT_TRUE(IsLaid(gas));
    EXPECT_EQ(gas->Diameter(), 309);
    EXPECT_EQ(gas->Temperature(), 14.0);
    EXPECT_EQ(br->Pipes.FindGasPipe(4), gas);
    EXPECT_EQ(br->Pipes.FindGasPipe(5), nullptr);
    EXPECT_FALSE(IsLaid(nullptr));
}

TEST(Pipes, ExtentsNeverLeaveADeviceOutside)
{
    MineBuilder b;
    TBranch* br = b.firePipe(1, 1, 2);
    TPipe* pipe = br->FirePipe();
    b.device(br, dkGate, 0.6, 10);
    pipe->SetExtent(1, 0.8);
    EXPECT_EQ(pipe->StartFrac(), 0.6);
    pipe->SetExtent(2, 0.1);
    EXPECT_EQ(pipe->EndFrac(), 0.6);

    TBranch* other = b.firePipe(2, 1, 2);
    TPipe* bare = other->FirePipe();
    bare->SetExtent(1, 0.5);
    bare->SetExtent(2, 0.2);
    EXPECT_EQ(bare->StartFrac(), 0.2);
    EXPECT_EQ(bare->EndFrac(), 0.2);
    bare->SetExtent(1, -3);
    EXPECT_EQ(bare->StartFrac(), 0.0);
}

TEST(Pipes, FlowAreaVelocityAndGradientHandleZeroes)
{
    MineBuilder b;
    b.uzel(1);
    b.uzel(2, 100);
    TBranch* br = b.firePipe(1, 1, 2, 100);
    TPipe* pipe = br->FirePipe();
    pipe->SetWallThickness(5);
    EXPECT_NEAR(pipe->FlowArea(), M_PI * 45 * 45, 1e-9);
    auto* section = static_cast<TWaterPipePart*>(pipe->FirstSection());
    EXPECT_NEAR(section->SectionVelocity(3600), 1.0 / (pipe->FlowArea() / 1e6), 1e-9);
    pipe->SetWallThickness(50);
    EXPECT_EQ(section->SectionVelocity(3600), 0.0);
    pipe->SetExtent(2, 0);
    EXPECT_EQ(section->SectionLength(), 0.0);
    EXPECT_EQ(section->SectionGradient(10, 3600), 0.0);
}

TEST(Sections, DevicesSplitThePipeAndNameTheSectionEnds)
{
    MineBuilder b;
    b.uzel(1, 0);
    b.uzel(2, 100);
    TBranch* br = b.firePipe(7, 1, 2);
    TPipe* pipe = br->FirePipe();
    EXPECT_EQ(pipe->SectionCount(), 1);
    EXPECT_EQ(pipe->FirstSection()->SectionEndNumbers(1), 1);
    EXPECT_EQ(pipe->FirstSection()->SectionEndNumbers(2), 2);

    b.device(br, dkGate, 0.7, 200);
    b.device(br, dkCrane, 0.0, 100);
    ASSERT_EQ(pipe->SectionCount(), 3);
    TPipePart* s0 = pipe->GetSection(0);
    TPipePart* s1 = pipe->GetSection(1);
    TPipePart* s2 = pipe->GetSection(2);
    EXPECT_EQ(s0->SectionEndNumbers(1), 100) << "a device at the pipe's start names it";
    EXPECT_EQ(s0->SectionEndNumbers(2), 100);
    EXPECT_EQ(s1->SectionEndNumbers(1), 100);
    EXPECT_EQ(s1->SectionEndNumbers(2), 200);
    EXPECT_EQ(s2->SectionEndNumbers(1), 200);
    EXPECT_EQ(s2->SectionEndNumbers(2), 2);
    EXPECT_NEAR(s1->SectionLength(), 70, 1e-9);
    EXPECT_NEAR(s2->SectionLength(), 30, 1e-9);
    EXPECT_NEAR(s2->SectionPoint(1), 70, 1e-9);
    EXPECT_EQ(s2->GetIndex(), 2);
    EXPECT_EQ(pipe->Devices.Items(1)->IncomingSection(), s1);
    EXPECT_THROW(pipe->GetSection(3), EListError);
}

TEST(Devices, PositionIsClampedAndThePipeGrowsToCoverIt)
{
    MineBuilder b;
    TBranch* br = b.firePipe(1, 1, 2);
    TPipe* pipe = br->FirePipe();
    pipe->SetExtent(1, 0.5);
    TDevice* d = b.device(br, dkGate, 0.7, 1);
    d->SetPosition(1.5);
    EXPECT_EQ(d->Position(), 1.0);
    d->SetPosition(-0.2);
    EXPECT_EQ(d->Position(), 0.0);
    EXPECT_EQ(pipe->StartFrac(), 0.0);
    d->SetPosition(std::nan(""));
    EXPECT_EQ(d->Position(), 0.0);
}

TEST(Devices, FactoryMakesEveryKindAndNothingElse)
{
    MineBuilder b;
    TBranch* br = b.firePipe(1, 1, 2);
    TGasPipe* gas = b.gasPipe(br);
    EXPECT_EQ(TDevice::CreateDevice(br, br->FirePipe(), 0), nullptr);
    EXPECT_EQ(TDevice::CreateDevice(br, br->FirePipe(), 11), nullptr);
    for (int kind = 1; kind <= 10; ++kind) {
        TPipe* pipe = TPipe::GasAccepts(kind) ? static_cast<TPipe*>(gas) : br->FirePipe();
        TDevice* d = TDevice::CreateDevice(br, pipe, kind);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->GetKind(), kind);
        EXPECT_TRUE(pipe->AcceptsKind(kind));
        EXPECT_EQ(d->Section()->OwnerDevice(), d);
        EXPECT_EQ(dynamic_cast<TWaterPipePart*>(d->Section()) != nullptr, !pipe->IsGas());
    }
    EXPECT_EQ(b.mine().DevicesByPipeKind[0].Count(), 6);
    EXPECT_EQ(b.mine().DevicesByPipeKind[3].Count(), 4);
    auto* reducer = static_cast<TReducer*>(b.mine().DevicesByPipeKind[0].Items(1));
    EXPECT_EQ(reducer->Characteristic().NP(), 2);
    EXPECT_EQ(reducer->Characteristic().Outlet(1, 0), 28.6);
}

TEST(Devices, DeletingAPumpLeavesPipeViewAndSelection)
{
    MineBuilder b;
    TBranch* br = b.firePipe(1, 1, 2);
    auto* pump = b.device<TPump>(br, dkPump, 0.2, 5);
    pump->SetSelected(true);
    br->FirePipe()->Devices.Remove(pump);
    EXPECT_EQ(br->FirePipe()->Devices.Count(), 0);
    EXPECT_EQ(b.mine().DevicesByPipeKind[0].Count(), 0);
    EXPECT_EQ(b.mine().Selection.Count(), 0);
}

TEST(Devices, MovingBetweenPipesAndBranches)
{
    MineBuilder b;
    TBranch* from = b.firePipe(1, 1, 2);
    TBranch* to = b.firePipe(2, 2, 3);
    auto* gate = b.device(from, dkGate, 0.5, 9);
    gate->MoveToPipe(from->WaterPipe(1));
    EXPECT_EQ(gate->Pipe(), from->WaterPipe(1));
    EXPECT_EQ(b.mine().DevicesByPipeKind[1].Count(), 1);
    EXPECT_EQ(b.mine().DevicesByPipeKind[0].Count(), 0);

    gate->MoveToBranch(to);
    EXPECT_EQ(gate->Branch(), to);
    EXPECT_EQ(gate->Pipe(), to->WaterPipe(1));
    EXPECT_EQ(from->WaterPipe(1)->Devices.Count(), 0);

    // A vacuum pump on a gas pipe cannot move to a branch without one.
    TBranch* withGas = b.firePipe(3, 3, 4);
    b.gasPipe(withGas);
    auto* vacuum = b.device(withGas, dkVacuumPump, 0.5, 10, 3);
    EXPECT_THROW(vacuum->MoveToBranch(to), EMineError);
    EXPECT_EQ(vacuum->Branch(), withGas) << "the refused move leaves the device where it was";
    EXPECT_EQ(withGas->Pipes.Items(3)->Devices.Count(), 1);
    EXPECT_THROW(vacuum->MoveToBranch(nullptr), EOwnerError);
}

TEST(Devices, HydrantWasherTablesAndBadIndexes)
{
    MineBuilder b;
    auto* crane = b.device<TCrane>(b.firePipe(1, 1, 2), dkCrane, 0.5, 3);
    EXPECT_EQ(crane->WasherDrop(), 0.0);
    EXPECT_EQ(crane->WasherSize(), 0);
    crane->SetWasherIndex(9);
    EXPECT_EQ(crane->WasherDrop(), 415.0);
    EXPECT_EQ(crane->WasherSize(), 33);
    crane->SetWasherIndex(12);
    EXPECT_EQ(crane->WasherIndex(), 0);
    EXPECT_EQ(crane->WasherDrop(), 0.0);
    crane->SetWasherIndex(-1);
    EXPECT_EQ(crane->WasherSize(), 0);
}

TEST(Devices, WellsReportChangesThroughTheirCluster)
{
    MineBuilder b;
    TBranch* br = b.branch(1, 1, 2);
    b.gasPipe(br);
    auto* slit = b.device<TSlit>(br, dkSlit, 0.5, 3, 3);
    TSlitParams* well = slit->AddWell();
    EXPECT_EQ(well->Length(), 100);
    EXPECT_EQ(well->Diameter(), 76);
    b.mine().SetModified(false, false);
    well->SetValue(TSlitParams::fFlow, 12);
    EXPECT_TRUE(b.mine().Modified());
    EXPECT_EQ(well->Flow(), 12);
}
