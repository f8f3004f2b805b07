#include "CheckFixture.h"

// The check names devices in the order of the mine's device list, which need not follow
// the branches: here a hydrant of a later working was placed first.
TEST_F(CheckFixture, FindingsFollowTheDeviceListNotTheBranchOrder)
{
    BuildFedHydrant();
    b.uzel(4, 0, 100, -100);
    b.uzel(5, 0, 200, -100);
    b.uzel(6, 0, 300, -100);
    TBranch* first = b.firePipe(3, 4, 5);
    TBranch* second = b.firePipe(4, 5, 6);
    b.device<TCrane>(second, dkCrane, 1, 402)->SetConsumption(true);
    b.device<TCrane>(first, dkCrane, 0, 301)->SetConsumption(true);
    b.device<TGate>(first, dkGate, 0.5, 302);

    const QStringList expected{Err(1, "кран 402 изолирован от источников"), Err(2, "кран 301 изолирован от источников")};
    EXPECT_EQ(PipelineFindings(), expected);
    EXPECT_EQ(list.Resolve(list.Count() - 3, b.mine())->Number(), 402);

    // A device moved to another working goes to the end of the list.
    b.mine().DevicesByPipeKind[0].Items(0)->MoveToBranch(first);  // pump 101, now cut off from the surface
    first->FirePipe()->Devices.SortByPosition();
    const QStringList moved = PipelineFindings();
    ASSERT_FALSE(moved.isEmpty());
    EXPECT_TRUE(moved.last().contains(QStringLiteral("насос 101"))) << moved.join('\n').toStdString();
}
