#include "core/devices/AllDevicesTable.h"

#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

using namespace AllDevicesTable;

namespace {

// Branch 3 (1 → 2): on its fire pipe a closed gate 300, a consuming hydrant 301 with flow, a
// consuming hydrant 302 without flow, a closed hydrant 303; a closed drainage gate 60.
// Branch 7 (2 → 5) on seam 0: a pump 10 without a model. Branch 8 (5 → 1): an unlaid fire pipe
// with a gate 400.
struct Mine {
    MineBuilder mb;
    TBranch* three;
    TBranch* seven;
    Mine()
    {
        for (int n : {1, 2, 5})
            mb.uzel(n, n * 10.0);
        three = mb.firePipe(3, 1, 2);
        mb.device<TGate>(three, dkGate, 0.6, 300)->SetClosed(true);
        auto* flowing = mb.device<TCrane>(three, dkCrane, 0.1, 301);
        flowing->SetConsumption(true);
        flowing->SetFlow(12.5);
        mb.device<TCrane>(three, dkCrane, 0.2, 302)->SetConsumption(true);
        mb.device<TCrane>(three, dkCrane, 0.3, 303);
        static_cast<TWaterPipe*>(three->Pipes.Items(1))->SetPresent(true);
        mb.device<TGate>(three, dkGate, 0.5, 60, 1)->SetClosed(true);
        seven = mb.firePipe(7, 2, 5);
        mb.device(seven, dkPump, 0.5, 10);
        TLayer::Create(&mb.mine());
        seven->SetLayerIndex(0);
        TBranch* eight = mb.branch(8, 5, 1);
        mb.device(eight, dkGate, 0.5, 400);
    }
};

std::vector<int> Numbers(const std::vector<TDevice*>& devices)
{
    std::vector<int> numbers;
    for (const TDevice* d : devices)
        numbers.push_back(d->Number());
    return numbers;
}

}  // namespace

// Only selected listed branches give devices, a pipe that is not laid none; "только краны"
// with "Только потребители" keeps the consuming hydrant that has a flow; the seam filter
// narrows the branches first.
TEST(AllDevicesTable, FiltersFollowSelectionKindAndState)
{
    Mine m;
    TAllDevicesFilter filter;
    const std::vector<TBranch*> all = ListBranches(m.mb.mine(), filter);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_TRUE(Collect(all, filter).empty()) << "nothing selected";
    EXPECT_EQ(Numbers(Collect(all, filter, true)), (std::vector<int>{301, 302, 303, 300, 10}));

    m.mb.mine().Selection.Add(m.three);
    filter.KindCode = dkCrane;
    filter.OnlyConsumers = true;
    EXPECT_EQ(Numbers(Collect(all, filter)), (std::vector<int>{301}));

    filter = {};
    filter.KindCode = dkGate;
    filter.OnlyClosedGates = true;
    filter.PipeEntry = kEveryPipe;
    EXPECT_EQ(Numbers(Collect(all, filter)), (std::vector<int>{300, 60}));

    filter = {};
    filter.Seam = 0;
    EXPECT_EQ(ListBranches(m.mb.mine(), filter), (std::vector<TBranch*>{m.seven}));
}

// Every kind has its own columns between "Номер" and "Выработка"; the branch column carries
// the number, the end nodes and the remark, tab-separated.
TEST(AllDevicesTable, ColumnsPerKindAndTheirTexts)
{
    const int expected[] = {4, 9, 5, 4, 6, 7, 7, 4, 6, 3, 5};
    for (int kind = 0; kind <= kDeviceKindCount; ++kind) {
        EXPECT_EQ(Headings(kind).size(), expected[kind]) << kind;
        EXPECT_EQ(int(InitialWidths(kind).size()), expected[kind] - 2) << kind;
    }
    EXPECT_EQ(Headings(dkFireMachine), (QStringList{"ВСЕ", "Номер", "Доп.давл,\r\nм", "Объем\r\nм3", "Выработка"}));

    Mine m;
    m.three->SetRemark(QStringLiteral("штрек"));
    const TDevice* hydrant = m.three->FirePipe()->Devices.Items(0);
    EXPECT_EQ(Cells(*hydrant, dkCrane, 1),
              (QStringList{"1", "301", "Открыто", "12.50", "Пожарный ствол", "3\t(1, 2)\tштрек"}));
    EXPECT_EQ(Cells(*hydrant, 0, 2)[2], QStringLiteral("Кран"));
    const TDevice* pump = m.seven->FirePipe()->Devices.Items(0);
    EXPECT_EQ(DeleteQuestion(*pump), QStringLiteral("Удалить Насос \"\"?"));
    EXPECT_EQ(KindCodeOf(QStringLiteral("ТОЛЬКО КРАНЫ")), dkCrane);
    EXPECT_EQ(KindCodeOf(QStringLiteral("Задвижка")), dkGate);
    EXPECT_EQ(KindCodeOf(QStringLiteral("11")), -1);
}

// A heading chooses its order; numbers tie by branch number; "Открыть все" opens the gates of
// every pipe, the drainage gate too.
TEST(AllDevicesTable, OrdersAndGroupCommands)
{
    Mine m;
    EXPECT_EQ(OrderForColumn(dkCrane, 3, TOrder::None), TOrder::CraneFlow);
    EXPECT_EQ(OrderForColumn(dkPump, 3, TOrder::Number), TOrder::Number);
    EXPECT_EQ(OrderForColumn(dkPump, 8, TOrder::Number), TOrder::Branch);
    TAllDevicesFilter filter;
    std::vector<TDevice*> devices = Collect(ListBranches(m.mb.mine(), filter), filter, true);
    Sort(devices, TOrder::Number);
    EXPECT_EQ(Numbers(devices), (std::vector<int>{10, 300, 301, 302, 303}));
    Sort(devices, TOrder::CraneConsumption);
    EXPECT_EQ(devices[0]->Number(), 10);

    EXPECT_EQ(Question(TGroupCommand::OpenAllGates), QStringLiteral("Открыть все задвижки во всей шахте?"));
    EXPECT_EQ(Apply(m.mb.mine(), TGroupCommand::OpenAllGates), 2);
    EXPECT_FALSE(static_cast<TGate*>(m.three->Pipes.Items(1)->Devices.Items(0))->Closed());
    EXPECT_EQ(Apply(m.mb.mine(), TGroupCommand::CloseAllCranes), 2);
    EXPECT_EQ(Apply(m.mb.mine(), TGroupCommand::SwitchOffAllPumps), 1);
    EXPECT_EQ(Apply(m.mb.mine(), TGroupCommand::SwitchOffAllPumps), 0);
}
