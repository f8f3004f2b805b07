#include "CheckFixture.h"

namespace {
using PipeDevices = CheckFixture;
}  // namespace

TEST_F(PipeDevices, PipeDataErrorsOfAWorkingComeInTheirOrder)
{
    BuildFedHydrant();
    TWaterPipe* pipe = drift->FirePipe();
    pipe->SetResistanceMode(1);
    pipe->SetDiameter(0);
    pipe->SetK(0.5);
    EXPECT_EQ(PipelineFindings(), (QStringList{Err(1, "выработка 2 - удельное сопротивление трубы = 0"),
                                               Err(2, "выработка 2 - диаметр трубопровода = 0"),
                                               Err(3, "выработка 2 - коэффициент местного сопротивления трубы меньше значения 1")}));
    pipe->SetFixedResistance(0.25);
    pipe->SetDiameter(100);
    pipe->SetK(1);
    EXPECT_EQ(PipelineFindings(), QStringList{});
}

TEST_F(PipeDevices, APipeOfNoLength)
{
    BuildFedHydrant();
    b.uzel(4, 0, 100, -100);
    TBranch* stub = b.firePipe(3, 2, 4);
    stub->FirePipe()->SetExtent(2, 0);
    b.device(stub, dkCrane, 0, 301);
    EXPECT_EQ(PipelineFindings(), QStringList{Err(1, "выработка 3 - длина участка трубопровода = 0")})
        << "the hydrant stands at both ends of the pipe and closes them";
}

TEST_F(PipeDevices, WithoutAnyActivePipeThereIsNothingToCheck)
{
    BuildFedHydrant();
    shaft->FirePipe()->SetPresent(false);
    drift->FirePipe()->SetProjected(true);
    EXPECT_EQ(PipelineFindings(), (QStringList{Err(1, "отсутствуют исходные данные для расчета"),
                                               Warn(1, "выработка 1 - устройства при отсутствии трубопровода"),
                                               Warn(2, "выработка 2 - устройства при отсутствии трубопровода")}));
    EXPECT_FALSE(list.Line(list.Count() - 4).HasObject());
}

TEST_F(PipeDevices, DevicesStandingTogether)
{
    BuildFedHydrant();
    b.device(drift, dkGate, 0.5, 103);
    b.device(drift, dkCrane, 0.5, 104);
    TDevice* third = b.device(drift, dkGate, 0.5, 105);
    EXPECT_EQ(PipelineFindings(), (QStringList{Err(1, "выработка 2 - совпадают положения устройств (Задвижка №103 и Кран №104 )"),
                                               Err(2, "выработка 2 - совпадают положения устройств (Задвижка №103 и Задвижка №105 )")}));
    EXPECT_EQ(list.Resolve(list.Count() - 2, b.mine()), third);
}

TEST_F(PipeDevices, DevicesAtTheEndsOfTwoPipesAtOneNode)
{
    BuildFedHydrant();
    b.device(shaft, dkGate, 1, 103);
    b.device(drift, dkGate, 0, 104);
    EXPECT_EQ(PipelineFindings(), QStringList{Err(1, "сопряжение 2 - несколько устройств в узле")});
    EXPECT_EQ(list.Line(list.Count() - 2).Target, TMessageTarget::Uzel);
}

TEST_F(PipeDevices, ADeviceWhereThreePipesMeet)
{
    BuildFedHydrant();
    b.uzel(4, 0, 100, -100);
    b.device(b.firePipe(3, 2, 4), dkCrane, 1, 301);
    b.device(drift, dkGate, 0, 104);
    b.device(drift, dkCrane, 0.01, 105);
    EXPECT_EQ(PipelineFindings(), QStringList{Err(1, "устройство 104 на сопряжении 3 участков трубопровода")});

    // Hydrants may stand there.
    drift->FirePipe()->Devices.Remove(drift->FirePipe()->Devices.First());
    b.device(drift, dkCrane, 0, 106);
    EXPECT_EQ(PipelineFindings(), QStringList{});
}

TEST_F(PipeDevices, APumpAtAPipeEndMustStandAtASurfaceNodeAndPushIntoThePipe)
{
    BuildFedHydrant();
    pump->SetHeadDirection(1);
    EXPECT_EQ(PipelineFindings(), (QStringList{Err(1, "выработка 1 - неверное направление напора насоса"),
                                               Err(2, "насос 101 запитан из области без источников")}));

    pump->SetHeadDirection(0);
    surface->SetSurface(false);
    // Without a surface node there is no source either.
    EXPECT_EQ(PipelineFindings(), (QStringList{Err(1, "выработка 1 - насос установлен не в поверхностный узел"),
                                               Err(2, "насос 101 изолирован от источников")}));

    surface->SetSurface(true);
    pump->SetPosition(0.1);
    shaft->FirePipe()->SetExtent(1, 0.1);
    EXPECT_EQ(PipelineFindings(), (QStringList{Err(1, "выработка 1 - насос на конце трубы"),
                                               Err(2, "насос 101 изолирован от источников")}));
}

TEST_F(PipeDevices, APumpAtTheEndNodeMustHeadTowardsTheStart)
{
    b.uzel(1, 0, 0, -100);
    b.uzel(2, 0, 0, 0)->SetSurface(true);
    TBranch* rise = b.firePipe(1, 1, 2);
    auto* endPump = b.device<TPump>(rise, dkPump, 1, 101);
    auto* tap = b.device<TCrane>(rise, dkCrane, 0, 102);
    tap->SetConsumption(true);
    EXPECT_EQ(PipelineFindings(), (QStringList{Err(1, "выработка 1 - неверное направление напора насоса"),
                                               Err(2, "насос 101 запитан из области без источников"),
                                               Err(3, "кран 102 изолирован от источников")}))
        << "the pump stops the water of its own end node";
    endPump->SetHeadDirection(1);
    EXPECT_EQ(PipelineFindings(), QStringList{});
}

TEST_F(PipeDevices, APumpAtAMissingNodeIsFoundByThePipeCheckOfTheSlot)
{
    // The pipeline command never gets this far with a missing node; the slot check on its
    // own does.
    b.uzel(1, 0, 0, 0)->SetSurface(true);
    TBranch* open = b.firePipe(1, 1, 9);
    b.device<TPump>(open, dkPump, 1, 101)->SetHeadDirection(1);
    b.device(open, dkCrane, 0, 102);
    RunPipeSlotCheck(b.mine(), list, 0, kPipelineHeader, options);
    EXPECT_EQ(list.Texts(), (QStringList{kPipelineHeader, Err(1, "выработка 1 - насос установлен в неопределенный узел"),
                                         Err(2, "насос 101 изолирован от источников"), ""}));
}

TEST_F(PipeDevices, FireEnginesStandAtSurfaceNodesWithHeadAndWater)
{
    surface = b.uzel(1, 0, 0, 0);
    surface->SetSurface(true);
    b.uzel(2, 0, 0, -100);
    b.uzel(3, 100, 0, -100);
    shaft = b.firePipe(1, 1, 2);
    drift = b.firePipe(2, 2, 3);
    auto* engine = b.device<TFireMachine>(shaft, dkFireMachine, 0, 11);
    b.device<TCrane>(drift, dkCrane, 0.9, 12)->SetConsumption(true);
    auto* stray = b.device<TFireMachine>(drift, dkFireMachine, 1, 13);
    stray->SetAddPressure(10);
    stray->SetVolume(5);

    EXPECT_EQ(PipelineFindings(), (QStringList{Warn(1, "выработка 1 - напор воды от пожарной машины 11 равен 0"),
                                               Warn(2, "выработка 1 - не указан объем воды в пожарной машине 11"),
                                               Err(1, "выработка 2 - пожарная машина 13 установлена не в поверхностном узле")}));
    options.ShowWarnings = false;
    EXPECT_EQ(PipelineFindings(), QStringList{Err(1, "выработка 2 - пожарная машина 13 установлена не в поверхностном узле")});

    engine->SetAddPressure(1e-13);
    engine->SetVolume(3);
    options.ShowWarnings = true;
    EXPECT_EQ(PipelineFindings(), (QStringList{Warn(1, "выработка 1 - напор воды от пожарной машины 11 равен 0"),
                                               Err(1, "выработка 2 - пожарная машина 13 установлена не в поверхностном узле")}))
        << "a head within 1e-12 of zero is none";
}

TEST_F(PipeDevices, ReducersStandInsideAPipeWithACharacteristic)
{
    BuildFedHydrant();
    auto* reducer = b.device<TReducer>(drift, dkReducer, 0.5, 103);
    EXPECT_EQ(PipelineFindings(), QStringList{Err(1, "выработка 2 - для редуктора 103 не выбрана характеристика")});
    reducer->SetHasCharacteristic(true);
    EXPECT_EQ(PipelineFindings(), QStringList{});
    reducer->SetPosition(0);
    drift->FirePipe()->Devices.SortByPosition();
    EXPECT_EQ(PipelineFindings(), QStringList{Err(1, "выработка 2 - редуктор 103 находится на конце трубы или в сопряжении")});
}

TEST_F(PipeDevices, ATankNeedsASlopeAndWorkingsUpAndDownAtItsNode)
{
    BuildFedHydrant();  // the drift is horizontal
    auto* tank = b.device<TJetBreakTank>(drift, dkJetBreakTank, 0.5, 103);
    tank->SetVolume(10);
    tank->SetMakeUpFlow(1);
    hydrant->SetConsumption(true);
    EXPECT_EQ(PipelineFindings(), (QStringList{Err(1, "выработка 2 - резервуар(БРС) 103 расположен в горизонтальной выработке"),
                                               Err(2, "кран 102 изолирован от источников"),
                                               Warn(1, "обнаружен резервуар или БРС 103, изолированный от источника")}))
        << "water coming level with the tank stops there";

    // The tank moves to node 2, where both workings lead up: the shaft to the surface and
    // the drift, now rising to node 3.
    tank->SetPosition(0);
    drift->FirePipe()->Devices.SortByPosition();
    drift->EndUzel()->SetZ(-50);
    EXPECT_EQ(PipelineFindings(), (QStringList{Err(1, "неверная конфигурация выработок около резервуара 103 (выработка 2)"),
                                               Err(2, "кран 102 изолирован от источников"),
                                               Warn(1, "обнаружен резервуар или БРС 103, изолированный от источника")}))
        << "water coming from node 2 is no higher than the tank";

    // A working leading down from node 2 makes the configuration right.
    b.uzel(5, 0, 100, -200);
    b.device(b.firePipe(3, 2, 5), dkCrane, 1, 301);
    EXPECT_EQ(PipelineFindings(), (QStringList{Err(1, "устройство 103 на сопряжении 3 участков трубопровода"),
                                               Err(2, "кран 102 изолирован от источников"),
                                               Warn(1, "обнаружен резервуар или БРС 103, изолированный от источника")}));
}

TEST_F(PipeDevices, TankAndGateWarningsFollowTheSetting)
{
    BuildFedHydrant();
    drift->EndUzel()->SetZ(-200);
    auto* tank = b.device<TJetBreakTank>(drift, dkJetBreakTank, 0.5, 103);
    EXPECT_EQ(PipelineFindings(), (QStringList{Warn(1, "выработка 2 - не указан объем резервуара(БРС) 103 (объем = 0)"),
                                               Warn(2, "выработка 2 - отсутствует подпитка резервуара(БРС) 103")}));
    tank->SetBypass(true);
    EXPECT_EQ(PipelineFindings(), QStringList{Warn(1, "выработка 2 - не указан объем резервуара(БРС) 103 (объем = 0)")});
    options.ShowWarnings = false;
    EXPECT_EQ(PipelineFindings(), QStringList{});
    EXPECT_TRUE(list.Texts().contains(kPipelineOk));
}
