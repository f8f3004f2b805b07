#include "support/MineBuilder.h"

#include "core/services/DeviceRenumbering.h"
#include "core/services/FreeNumberEntries.h"
#include "core/model/Errors.h"

#include <gtest/gtest.h>

namespace {

QStringList Captions(const std::vector<TFreeNumberEntry>& entries)
{
    QStringList captions;
    for (const TFreeNumberEntry& e : entries)
        captions << QStringLiteral("%1=%2").arg(e.Caption).arg(e.Number);
    return captions;
}

std::vector<int> Numbers(const std::vector<TDevice*>& devices)
{
    std::vector<int> numbers;
    for (const TDevice* d : devices)
        numbers.push_back(d->Number());
    return numbers;
}

}  // namespace

TEST(FreeNumberEntriesTest, GapsOfOneToThreeAreListedAndLongerOnesAreARange)
{
    EXPECT_EQ(Captions(FreeNumberEntries::Entries({1, 2, 5, 6, 20}, true)),
              QStringList({"3=3", "4=4", "7 - 19=7", "21 и далее ...=21"}));
    EXPECT_EQ(Captions(FreeNumberEntries::Entries({4, 9}, false)), QStringList({"1=1", "2=2", "3=3", "5 - 8=5"}));
    // Repeats change nothing.
    EXPECT_EQ(Captions(FreeNumberEntries::Entries({1, 3}, true)), QStringList({"2=2", "4 и далее ...=4"}));
    EXPECT_EQ(Captions(FreeNumberEntries::Entries({3, 1, 1, 3}, true)), QStringList({"2=2", "4 и далее ...=4"}));
}

TEST(FreeNumberEntriesTest, ZeroAndNegativesAreNeverOfferedNorPullTheCounterDown)
{
    EXPECT_EQ(Captions(FreeNumberEntries::Entries({-7, 0, 0, 3}, true)),
              QStringList({"1=1", "2=2", "4 и далее ...=4"}));
    EXPECT_EQ(Captions(FreeNumberEntries::Entries({-2, -1}, true)), QStringList({"1 и далее ...=1"}));
    EXPECT_EQ(Captions(FreeNumberEntries::Entries({}, true)), QStringList({"1 и далее ...=1"}));

    MineBuilder mb;
    EXPECT_EQ(FreeNumberEntries::FirstFree(mb.mine(), nsUzels, {}, false), -1);
    EXPECT_EQ(FreeNumberEntries::FirstFree(mb.mine(), nsUzels, {}, true), 1);
    mb.uzel(-3);
    mb.uzel(2);
    TBranch* b = mb.firePipe(1, -3, 2);
    mb.device(b, dkGate, 0.5, 5);
    mb.gasPipe(b);
    mb.device(b, dkSlit, 0.5, 1, 3);
    // Nodes with water devices: 1, 3, 4 are free; with gas devices only the tail is.
    EXPECT_EQ(FreeNumberEntries::FirstFree(mb.mine(), nsUzels | nsWaterDevices, {}, false), 1);
    EXPECT_EQ(FreeNumberEntries::FirstFree(mb.mine(), nsUzels | nsGasDevices, {}, false), -1);
    EXPECT_EQ(FreeNumberEntries::FirstFree(mb.mine(), nsUzels | nsGasDevices, {}, true), 3);
    EXPECT_EQ(FreeNumberEntries::FirstFree(mb.mine(), nsBranches, {}, true), 2);
}

// Nodes 1, 2, 5, 57; branch 2 carries fire-pipe devices at 0.7 and 0.2, branch 1 one at 0.5.
class Renumbering : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int n : {1, 2, 5, 57})
            mb.uzel(n, n * 10.0);
        b2 = mb.firePipe(2, 2, 5);
        b1 = mb.firePipe(1, 1, 2);
        late = mb.device(b2, dkGate, 0.7, 300);
        early = mb.device(b2, dkCrane, 0.2, 301);
        first = mb.device(b1, dkPump, 0.5, 302);
    }
    std::vector<int> InOrder() { return {first->Number(), early->Number(), late->Number()}; }

    MineBuilder mb;
    TBranch* b1 = nullptr;
    TBranch* b2 = nullptr;
    TDevice* late = nullptr;
    TDevice* early = nullptr;
    TDevice* first = nullptr;
};

TEST_F(Renumbering, AfterTheMaximumGoesInBranchOrderThenAlongTheBranch)
{
    EXPECT_EQ(Numbers(DeviceRenumbering::FireDevicesInOrder(mb.mine())), std::vector<int>({302, 301, 300}));
    DeviceRenumbering::Renumber(mb.mine(), DeviceRenumbering::TMode::AfterMaximum);
    EXPECT_EQ(InOrder(), std::vector<int>({58, 59, 60}));

    // Devices of the other pipes keep their numbers, and the new ones start above them.
    TDevice* drain = mb.device(b1, dkGate, 0.5, 70, 1);
    mb.gasPipe(b1);
    TDevice* gas = mb.device(b1, dkSlit, 0.5, 80, 3);
    DeviceRenumbering::Renumber(mb.mine(), DeviceRenumbering::TMode::AfterMaximum);
    EXPECT_EQ(InOrder(), std::vector<int>({81, 82, 83}));
    EXPECT_EQ(drain->Number(), 70);
    EXPECT_EQ(gas->Number(), 80);
}

TEST_F(Renumbering, FillTakesTheGapsInOrderCountingWaterDevicesAsUsed)
{
    mb.mine().DeleteUzel(mb.mine().FirstUzelWithNumber(57));
    // Nodes 1, 2, 5: the devices first get 6, 7, 8, then 3, 4 and the freed 6.
    DeviceRenumbering::Renumber(mb.mine(), DeviceRenumbering::TMode::FillFree);
    EXPECT_EQ(InOrder(), std::vector<int>({3, 4, 6}));

    // A drainage gate holding 4 is skipped over.
    mb.device(b1, dkGate, 0.1, 4, 1);
    DeviceRenumbering::Renumber(mb.mine(), DeviceRenumbering::TMode::FillFree);
    EXPECT_EQ(InOrder(), std::vector<int>({3, 6, 7}));
}

TEST_F(Renumbering, FillWithoutGapsKeepsTheNumbersAfterTheMaximum)
{
    mb.mine().DeleteUzel(mb.mine().FirstUzelWithNumber(57));
    mb.mine().FirstUzelWithNumber(5)->SetNumber(3);
    DeviceRenumbering::Renumber(mb.mine(), DeviceRenumbering::TMode::FillFree);
    EXPECT_EQ(InOrder(), std::vector<int>({4, 5, 6}));
}

TEST(RenumberingRefusal, WithoutFireFightingDevicesNothingChanges)
{
    MineBuilder mb;
    mb.uzel(1);
    mb.uzel(2);
    TBranch* b = mb.firePipe(1, 1, 2);
    TDevice* drain = mb.device(b, dkGate, 0.5, 9, 1);
    try {
        DeviceRenumbering::Renumber(mb.mine(), DeviceRenumbering::TMode::AfterMaximum);
        FAIL() << "renumbered";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Водопроводное оборудование отсутствует"));
    }
    EXPECT_EQ(drain->Number(), 9);
}
