#include "core/devices/DevicePanelRules.h"
#include "core/tables/TableEdits.h"
#include "core/model/Layer.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {

using DevicePanelRules::TDeviceLine;

QStringList Texts(const std::vector<TDeviceLine>& lines)
{
    QStringList out;
    for (const TDeviceLine& l : lines)
        out << l.Text;
    return out;
}

TEST(DeviceTypeBox, EntriesAreTheElevenFiltersIndexedByDeviceKind)
{
    const QStringList entries = DevicePanelRules::DeviceTypeEntries();
    const QStringList expected = {
        QStringLiteral("все оборудование"),         QStringLiteral("только насосы"),
        QStringLiteral("только гидроредукторы"),    QStringLiteral("только задвижки"),
        QStringLiteral("только краны"),             QStringLiteral("только резервуары (БРС)"),
        QStringLiteral("только вакуум-насосы"),     QStringLiteral("только дегазационные скважины"),
        QStringLiteral("только соединения труб"),   QStringLiteral("только нумерован. узлы"),
        QStringLiteral("только пожарные машины"),
    };
    EXPECT_EQ(entries, expected);
    EXPECT_EQ(entries.value(dkCrane), QStringLiteral("только краны"));
    EXPECT_EQ(entries.value(dkFireMachine), QStringLiteral("только пожарные машины"));
}

// Branch 1 with devices on the fire pipe (slot 0), the drainage pipe (slot 1) and a
// degasification pipe (slot 3), created out of slot order.
class DeviceLines : public ::testing::Test {
protected:
    void SetUp() override
    {
        mb.uzel(1);
        mb.uzel(2);
        branch = mb.firePipe(1, 1, 2);
        gas = mb.gasPipe(branch);
        slit = mb.device(branch, dkSlit, 0.5, 0, 3);
        slit->SetModel(QStringLiteral("СК-2"));
        drainGate = mb.device(branch, dkGate, 0.1, 0, 1);
        gate = mb.device(branch, dkGate, 0.8);
        pump = mb.device(branch, dkPump, 0.2);
        pump->SetModel(QStringLiteral("ЦНС 300-120"));
        crane = mb.device(branch, dkCrane, 0.5);
    }

    MineBuilder mb;
    TBranch* branch = nullptr;
    TGasPipe* gas = nullptr;
    TDevice* slit = nullptr;
    TDevice* drainGate = nullptr;
    TDevice* gate = nullptr;
    TDevice* pump = nullptr;
    TDevice* crane = nullptr;
};

TEST_F(DeviceLines, AllKindsGoPipeBySlotThenAlongThePipeNamedOrNot)
{
    const auto lines = DevicePanelRules::DeviceLines(branch, dkAll);
    EXPECT_EQ(Texts(lines), (QStringList{QStringLiteral("Насос \"ЦНС 300-120\""), QStringLiteral("Кран"),
                                         QStringLiteral("Задвижка"), QStringLiteral("Задвижка"),
                                         QStringLiteral("Дегаз. скважина \"СК-2\"")}));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0].Device, pump);
    EXPECT_EQ(lines[1].Device, crane);
    EXPECT_EQ(lines[2].Device, gate);
    EXPECT_EQ(lines[3].Device, drainGate);
    EXPECT_EQ(lines[4].Device, slit);
}

TEST_F(DeviceLines, AKindKeepsOnlyItsDevicesOnEveryPipe)
{
    const auto gates = DevicePanelRules::DeviceLines(branch, dkGate);
    ASSERT_EQ(gates.size(), 2u);
    EXPECT_EQ(gates[0].Device, gate);
    EXPECT_EQ(gates[1].Device, drainGate);
    EXPECT_EQ(Texts(DevicePanelRules::DeviceLines(branch, dkSlit)), QStringList{QStringLiteral("Дегаз. скважина \"СК-2\"")});
    EXPECT_TRUE(DevicePanelRules::DeviceLines(branch, dkReducer).empty());
    EXPECT_TRUE(DevicePanelRules::DeviceLines(branch, dkFireMachine).empty());
}

TEST_F(DeviceLines, NoBranchOrAnUnknownKindGivesNoLines)
{
    EXPECT_TRUE(DevicePanelRules::DeviceLines(nullptr, dkAll).empty());
    EXPECT_TRUE(DevicePanelRules::DeviceLines(branch, -1).empty());
    EXPECT_TRUE(DevicePanelRules::DeviceLines(branch, kDeviceKindCount + 1).empty());
}

TEST_F(DeviceLines, ANameClearedLaterShowsTheKindAlone)
{
    pump->SetModel(QString());
    EXPECT_EQ(DevicePanelRules::DeviceLines(branch, dkPump).at(0).Text, QStringLiteral("Насос"));
    EXPECT_EQ(DevicePanelRules::DeviceLineText(*slit), QStringLiteral("Дегаз. скважина \"СК-2\""));
}

// Four branches; two seams and two plan positions.
class SeamAssignment : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int n = 1; n <= 5; ++n)
            mb.uzel(n);
        for (int n = 1; n <= 4; ++n)
            b[n - 1] = mb.branch(n, n, n + 1);
        TLayer::Create(mb.get());
        TLayer::Create(mb.get());
        TPLFPosition::Create(mb.get());
        TPLFPosition::Create(mb.get());
        mb.mine().SetModified(false, false);
    }

    MineBuilder mb;
    TBranch* b[4] = {};
};

TEST_F(SeamAssignment, SelectedBranchesTakeTheSeamAndTheCurrentOneOnlyWithoutASelection)
{
    mb.mine().Selection.Add(b[1]);
    mb.mine().Selection.Add(b[3]);
    EXPECT_EQ(DevicePanelRules::AssignLayer(mb.mine(), b[0], 1), 2);
    EXPECT_EQ(b[0]->LayerIndex(), -1);
    EXPECT_EQ(b[1]->LayerIndex(), 1);
    EXPECT_EQ(b[2]->LayerIndex(), -1);
    EXPECT_EQ(b[3]->LayerIndex(), 1);
    EXPECT_TRUE(mb.mine().Modified());

    mb.mine().Selection.Clear();
    EXPECT_EQ(DevicePanelRules::AssignPLF(mb.mine(), b[2], 0), 1);
    EXPECT_EQ(b[2]->PLFIndex(), 0);
    EXPECT_EQ(b[1]->PLFIndex(), -1);
    // Neither a selection nor a current branch: nothing to give it to.
    EXPECT_EQ(DevicePanelRules::AssignPLF(mb.mine(), nullptr, 1), 0);
    EXPECT_EQ(b[2]->PLFIndex(), 0);
}

TEST_F(SeamAssignment, SelectedNodesAloneDoNotCountAsASelection)
{
    mb.mine().Selection.Add(mb.mine().Uzels.Items(0));
    EXPECT_EQ(DevicePanelRules::AssignLayer(mb.mine(), b[2], 0), 1);
    EXPECT_EQ(b[2]->LayerIndex(), 0);
    EXPECT_EQ(DevicePanelRules::TargetBranches(mb.mine(), b[2]), std::vector<TBranch*>{b[2]});
}

TEST_F(SeamAssignment, NoneAndIndicesOutsideTheListTakeTheValueAway)
{
    mb.mine().Selection.Add(b[0]);
    mb.mine().Selection.Add(b[1]);
    DevicePanelRules::AssignLayer(mb.mine(), nullptr, 1);
    DevicePanelRules::AssignPLF(mb.mine(), nullptr, 1);
    // Only branches whose value differs count as changed.
    mb.mine().Selection.Add(b[2]);
    EXPECT_EQ(DevicePanelRules::AssignLayer(mb.mine(), nullptr, 1), 1);
    EXPECT_EQ(DevicePanelRules::AssignLayer(mb.mine(), nullptr, -1), 3);
    EXPECT_EQ(b[0]->LayerIndex(), -1);
    EXPECT_EQ(DevicePanelRules::AssignPLF(mb.mine(), nullptr, 2), 2);
    EXPECT_EQ(b[0]->RawPLFIndex(), -1);
    EXPECT_EQ(b[2]->RawPLFIndex(), -1);
}

TEST(TableEditsAddBranch, NewBranchTakesTheDefaultPlanPositionBesideTheDefaultSeam)
{
    MineBuilder mb;
    TLayer::Create(mb.get());
    TLayer::Create(mb.get());
    TPLFPosition::Create(mb.get());
    TPLFPosition::Create(mb.get());
    TPLFPosition::Create(mb.get());
    TBranch* both = TableEdits::AddBranch(mb.mine(), 1, 2);
    EXPECT_EQ(both->LayerIndex(), 1);
    EXPECT_EQ(both->PLFIndex(), 2);
    TBranch* positionOnly = TableEdits::AddBranch(mb.mine(), -1, 0);
    EXPECT_EQ(positionOnly->LayerIndex(), -1);
    EXPECT_EQ(positionOnly->PLFIndex(), 0);
    // A default left from a longer list is no position at all.
    TBranch* stale = TableEdits::AddBranch(mb.mine(), 0, 3);
    EXPECT_EQ(stale->RawPLFIndex(), -1);
    EXPECT_EQ(TableEdits::AddBranch(mb.mine())->RawPLFIndex(), -1);
}

}  // namespace
