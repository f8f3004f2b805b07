#include "CheckFixture.h"

namespace {
const QString kGasHeader = QStringLiteral("Проверка газопровода ... ");

struct GasSlot : CheckFixture {
    TGasPipe* first = nullptr;
    TGasPipe* second = nullptr;

    void SetUp() override
    {
        b.uzel(1, 0, 0, 0);
        b.uzel(2, 100, 0, 0);
        b.uzel(3, 200, 0, 0);
        first = b.gasPipe(b.branch(1, 1, 2), 7);
        second = b.gasPipe(b.branch(2, 2, 3), 7);
    }
    QStringList Run()
    {
        last = RunPipeSlotCheck(b.mine(), list, first->SlotIndex(), kGasHeader, options);
        return list.Texts();
    }
};
}  // namespace

TEST_F(GasSlot, GasPipesNeedFlowConcentrationAndAnEndAtANodeOrADevice)
{
    first->SetExtent(1, 0.3);
    TDevice* connection = b.device(second->Branch(), dkConnection, 0.5, 5, second->SlotIndex());
    TDevice* numbered = b.device(second->Branch(), dkNumberDev, 0.5, 6, second->SlotIndex());
    (void)connection;

    EXPECT_EQ(Run(), (QStringList{kGasHeader,
                                  Err(1, "выработка 1 - газопровод 7 не доведен до узла 1 и отсутствуют устройства на его конце"),
                                  Err(2, "выработка 1 - не указаны расход или концентрация смеси в газопроводе 7"),
                                  Err(3, "выработка 2 - совпадают положения устройств (Соединение труб №5 и Нумерованный узел №6 )"),
                                  Err(4, "выработка 2 - не указаны расход или концентрация смеси в газопроводе 7"), ""}));
    // The finding about the gas device leads to that device.
    EXPECT_EQ(list.Line(3).Target, TMessageTarget::GasDevice);
    EXPECT_EQ(list.Resolve(3, b.mine()), numbered);

    for (TGasPipe* g : {first, second}) {
        g->SetMixtureFlow(2);
        g->SetMethaneConcentration(40);
    }
    numbered->SetPosition(0.6);
    second->Devices.SortByPosition();
    b.device(first->Branch(), dkNumberDev, 0.3, 8, first->SlotIndex());
    EXPECT_EQ(Run(), (QStringList{kGasHeader + "Ok"})) << "a device where the pipe stops closes it";
}

TEST_F(GasSlot, ASlotNoBranchHasIsNoDataWhenDataIsRequired)
{
    last = RunPipeSlotCheck(b.mine(), list, 9, kGasHeader, options);
    EXPECT_EQ(list.Texts(), (QStringList{kGasHeader, Err(1, "отсутствуют исходные данные для расчета"), ""}));
    last = RunPipeSlotCheck(b.mine(), list, 9, kGasHeader, options, false);
    EXPECT_EQ(list.Texts(), QStringList{kGasHeader + "Ok"});
}

TEST_F(GasSlot, DrainagePipesAreCheckedWithTheirOwnDevices)
{
    TBranch* b1 = b.mine().Branches.First();
    b1->WaterPipe(1)->SetPresent(true);
    b.device(b1, dkGate, 0.5, 40, 1);
    last = RunPipeSlotCheck(b.mine(), list, 1, kGasHeader, options);
    const QString open = QStringLiteral("на конце трубы отсутствуют насос, пож. машина, закрытая задвижка, кран или резервуар(БРС)");
    EXPECT_EQ(list.Texts(), (QStringList{kGasHeader, Err(1, "выработка 1 - " + open), Err(2, "выработка 1 - " + open), ""}));
}
