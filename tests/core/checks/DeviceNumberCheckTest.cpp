#include "CheckFixture.h"

namespace {
using DeviceNumbers = CheckFixture;

const QString kDevicesHeader = QStringLiteral("Проверка номеров устройств ... ");
const QString kAborted = QStringLiteral("Проверка прервана из-за большого количества ошибок");
}  // namespace

TEST_F(DeviceNumbers, ARepeatedNumberIsReportedOnTheDeviceOfTheLaterBranch)
{
    b.uzel(1, 0, 0, 0)->SetSurface(true);
    b.uzel(2, 0, 0, -10);
    b.uzel(3, 10, 0, -10);
    TBranch* b3 = b.firePipe(3, 1, 2);
    TBranch* b8 = b.firePipe(8, 2, 3);
    TDevice* in8 = b.device(b8, dkGate, 0.5, 5);
    b.device(b3, dkGate, 0.5, 5);

    EXPECT_EQ(Pipeline(), (QStringList{kUzelsOk, kBranchesOk, kNetworkOk, kDevicesHeader,
                                       Err(1, "Номер устройства (5) в выработке 8 дублирует номер другого устройства в выработке 3"),
                                       ""}))
        << "an error here keeps the pipeline phase from running";
    EXPECT_EQ(list.Resolve(4, b.mine()), in8);
    EXPECT_EQ(list.Line(4).Target, TMessageTarget::WaterDevice);
}

TEST_F(DeviceNumbers, EveryLaterDeviceOfANumberNamesTheFirstOne)
{
    BuildFedHydrant();
    b.device(drift, dkGate, 0.2, 7);
    b.device(shaft, dkGate, 0.5, 7);
    b.device(drift, dkGate, 0.6, 7);
    EXPECT_EQ(Pipeline().mid(3), (QStringList{kDevicesHeader,
                                              Err(1, "Номер устройства (7) в выработке 2 дублирует номер другого устройства в выработке 1"),
                                              Err(2, "Номер устройства (7) в выработке 2 дублирует номер другого устройства в выработке 1"),
                                              ""}));
}

TEST_F(DeviceNumbers, ZeroNumbersAndNumbersOfNodesAreErrors)
{
    BuildFedHydrant();
    b.device(drift, dkGate, 0.5, 0);
    b.device(drift, dkGate, 0.7, 2);
    EXPECT_EQ(Pipeline().mid(3), (QStringList{kDevicesHeader, Err(1, "неверный номер устройства (0) в выработке 2"),
                                              Err(2, "Номер устройства (2) в выработке 2 дублирует номер узла"), ""}));
}

TEST_F(DeviceNumbers, TwentyFindingsEndTheCheckWithTheAbortLine)
{
    BuildFedHydrant();
    for (int i = 0; i < 25; ++i)
        b.device(drift, dkGate, 0.01 * (i + 1), 0);
    const QStringList lines = Pipeline().mid(3);
    ASSERT_EQ(lines.size(), 1 + 20 + 2);
    EXPECT_EQ(lines.first(), kDevicesHeader);
    for (int i = 1; i <= 20; ++i)
        EXPECT_EQ(lines[i], Err(i, "неверный номер устройства (0) в выработке 2"));
    EXPECT_EQ(lines[21], kAborted);
    EXPECT_EQ(lines[22], QString());
    EXPECT_FALSE(list.Line(24).HasObject());
}

TEST_F(DeviceNumbers, TheLimitAlsoEndsTheSearchForRepeats)
{
    BuildFedHydrant();
    for (int i = 0; i < 30; ++i)
        b.device(drift, dkGate, 0.01 * (i + 1), 500);
    const QStringList lines = Pipeline().mid(3);
    ASSERT_EQ(lines.size(), 1 + 20 + 2);
    EXPECT_EQ(lines[20], Err(20, "Номер устройства (500) в выработке 2 дублирует номер другого устройства в выработке 2"));
    EXPECT_EQ(lines[21], kAborted);
}

TEST_F(DeviceNumbers, OnlyTheFireFightingDevicesAreNumberChecked)
{
    BuildFedHydrant();
    TGasPipe* gas = b.gasPipe(drift, 1);
    b.device(drift, dkVacuumPump, 0.5, 0, gas->SlotIndex());
    b.device(drift, dkGate, 0.5, 0, 1);
    EXPECT_EQ(Pipeline().mid(3, 1), QStringList{kDevicesOk});
}
