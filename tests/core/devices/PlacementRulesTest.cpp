#include "core/devices/DeviceApply.h"
#include "core/devices/DeviceEditError.h"
#include "core/devices/PlacementRules.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {

const QString kDirection = QStringLiteral(
    "Неправильно указано направление напора для насоса,\r\nустановленного в поверхностный узел.\r\n"
    "Измените положение насоса или направление напора");
const QString kNotSurface =
    QStringLiteral("Узел, в который был помещен насос не является\r\nповерхностным. Измените положение насоса");
const QString kPipeEnd = QStringLiteral("Не допускает располагать насос на конце трубы");

// A 100 m branch from surface node 1 to underground node 2 with a laid fire pipe.
struct SurfaceBranch : ::testing::Test {
    MineBuilder mb;
    TBranch* b = nullptr;
    TPipe* fire = nullptr;
    void SetUp() override
    {
        mb.uzel(1, 0, 0, 0)->SetSurface(true);
        mb.uzel(2, 100, 0, 0);
        b = mb.firePipe(1, 1, 2);
        fire = b->FirePipe();
    }
    QString Rule(double p, int head) const { return PlacementRules::PumpPlacementError(*b, *fire, p, head); }
    TDeviceDraft Pump(double position, int head) const
    {
        TDeviceDraft d = DeviceDrafts::ForNewDevice(*b, dkPump, 0, position);
        d.Model = QStringLiteral("ЦНС 60-198");
        d.Pump.Chosen = true;
        d.Pump.HeadDirection = head;
        return d;
    }
};

TEST_F(SurfaceBranch, PumpAtTheSurfaceStartMustPushTowardsTheEnd)
{
    EXPECT_EQ(Rule(0, 0), QString());
    EXPECT_EQ(Rule(0, 1), kDirection);
    EXPECT_EQ(Rule(0.5, 1), QString());  // inside the pipe either way
    // The end node is underground.
    EXPECT_EQ(Rule(1, 1), kNotSurface);
    // A pipe ending halfway: its end is no branch end.
    fire->SetExtent(2, 0.5);
    EXPECT_EQ(Rule(0.5, 0), kPipeEnd);
    // Beyond the end the pipe would grow to the pump: still its end.
    EXPECT_EQ(Rule(0.7, 0), kPipeEnd);
    // No node at the start.
    TBranch* loose = mb.firePipe(2, 77, 2);
    EXPECT_EQ(PlacementRules::PumpPlacementError(*loose, *loose->FirePipe(), 0, 0),
              QStringLiteral("Узел, в который был помещен насос неопределен.\r\nИзмените положение насоса"));
}

TEST_F(SurfaceBranch, RefusedPumpLeavesTheModelAlone)
{
    try {
        DeviceApply::Apply(*b, Pump(0, 1), nullptr);
        FAIL();
    } catch (const EDeviceEditError& e) {
        EXPECT_EQ(e.Message(), kDirection);
        EXPECT_EQ(e.Field(), TDraftField::Position);
    }
    EXPECT_EQ(fire->Devices.Count(), 0);
    TDeviceDraft unchosen = Pump(0.5, 0);
    unchosen.Pump.Chosen = false;
    EXPECT_THROW(DeviceApply::Apply(*b, unchosen, nullptr), EDeviceEditError);

    auto* pump = static_cast<TPump*>(DeviceApply::Apply(*b, Pump(0, 0), nullptr));
    ASSERT_EQ(fire->Devices.Count(), 1);
    EXPECT_EQ(pump->Model(), QStringLiteral("ЦНС 60-198"));
    EXPECT_EQ(pump->Number(), 3);
}

TEST_F(SurfaceBranch, ReducerNeverAtAPipeEndEvenOnTheSurface)
{
    TDeviceDraft d = DeviceDrafts::ForNewDevice(*b, dkReducer, 0, 0);
    d.Reducer.Characteristic.Name = QStringLiteral("РД-1");
    for (double p : {0.0, 1.0}) {
        d.Position = p;
        try {
            DeviceApply::Apply(*b, d, nullptr);
            ADD_FAILURE();
        } catch (const EDeviceEditError& e) {
            EXPECT_EQ(e.Message(),
                      QStringLiteral("Не допускает располагать редуктор на конце трубы или в сопряжении выработок"));
        }
    }
    EXPECT_EQ(fire->Devices.Count(), 0);
    d.Position = 0.4;
    auto* r = static_cast<TReducer*>(DeviceApply::Apply(*b, d, nullptr));
    EXPECT_EQ(r->Model(), QStringLiteral("РД-1"));
    EXPECT_TRUE(r->HasCharacteristic());
}

}  // namespace
