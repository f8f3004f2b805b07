#include "render/schema2d/DeviceLook.h"
#include "render/schema2d/SymbolShapes.h"

#include "support/MineBuilder.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

class DeviceLook : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Labels must not follow the user's locale (a comma here would show).
        QLocale::setDefault(QLocale(QLocale::German));
        m.uzel(1);
        m.uzel(2, 100);
        branch = m.firePipe(1, 1, 2);
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    template <class D>
    D* Make(int kind, int number = 7)
    {
        return m.device<D>(branch, kind, 0.5, number);
    }

    MineBuilder m;
    TBranch* branch = nullptr;
};

}  // namespace

TEST_F(DeviceLook, ParameterTextsOfEveryKind)
{
    auto* pump = Make<TPump>(dkPump);
    EXPECT_EQ(DeviceInfoText(*pump, 3), QStringLiteral("Вкл"));
    pump->SetOff(true);
    EXPECT_EQ(DeviceInfoText(*pump, 3), QStringLiteral("Откл"));

    auto* reducer = Make<TReducer>(dkReducer);
    reducer->SetModel(QStringLiteral("РД-1"));
    reducer->SetLockingPressure(12.345);
    EXPECT_EQ(DeviceInfoText(*reducer, 3), QStringLiteral("РД-1\nPзап = 12.3"));

    auto* gate = Make<TGate>(dkGate);
    EXPECT_EQ(DeviceInfoText(*gate, 3), QStringLiteral("Откр"));
    gate->SetClosed(true);
    EXPECT_EQ(DeviceInfoText(*gate, 3), QStringLiteral("Закр"));

    auto* crane = Make<TCrane>(dkCrane);
    EXPECT_EQ(DeviceInfoText(*crane, 3), QString());
    crane->SetOrifice(true);
    crane->SetOrificeDiameter(7.24);
    EXPECT_EQ(DeviceInfoText(*crane, 3), QStringLiteral("D=7.2"));
    crane->SetConsumption(true);
    crane->SetFlow(3.6);
    EXPECT_EQ(DeviceInfoText(*crane, 3), QStringLiteral("Q=4\nD=7.2"));

    auto* tank = Make<TJetBreakTank>(dkJetBreakTank);
    tank->SetVolume(250);
    EXPECT_EQ(DeviceInfoText(*tank, 3), QStringLiteral("V = 250.0(обвод: Нет)"));
    tank->SetBypass(true);
    EXPECT_EQ(DeviceInfoText(*tank, 3), QStringLiteral("V = 250.0(обвод: Да)"));

    auto* engine = Make<TFireMachine>(dkFireMachine);
    engine->SetVolume(2.5);
    engine->SetAddPressure(0.74);
    EXPECT_EQ(DeviceInfoText(*engine, 3), QStringLiteral("V = 2.5; AddP = 0.7"));

    EXPECT_EQ(DeviceInfoText(*Make<TVacuumPump>(dkVacuumPump), 3), QString());
    EXPECT_EQ(DeviceInfoText(*Make<TSlit>(dkSlit), 3), QString());
}

TEST_F(DeviceLook, NumberModelAndPPZTexts)
{
    auto* gate = Make<TGate>(dkGate, 42);
    gate->SetModel(QStringLiteral("ЗКС"));
    gate->SetPPZNumber(QStringLiteral("П-3"));
    const QString texts[] = {QString(), QStringLiteral("42"), QStringLiteral("ЗКС"), QStringLiteral("Откр"),
                             QStringLiteral("П-3"), QString()};
    for (int devInfo = 0; devInfo < 6; ++devInfo)
        EXPECT_EQ(DeviceInfoText(*gate, devInfo), texts[devInfo]) << devInfo;
}

TEST_F(DeviceLook, StateColours)
{
    auto* pump = Make<TPump>(dkPump);
    auto* crane = Make<TCrane>(dkCrane);
    crane->SetConsumption(true);
    EXPECT_EQ(DeviceStateColor(*pump), kDeviceRed);
    EXPECT_EQ(DeviceStateColor(*crane), kDeviceRed);  // consuming, but no flow yet
    pump->SetOff(true);
    crane->SetFlow(2);
    EXPECT_EQ(DeviceStateColor(*pump), kDeviceBlue);
    EXPECT_EQ(DeviceStateColor(*crane), kDeviceBlue);

    EXPECT_EQ(DeviceStateColor(*Make<TGate>(dkGate)), kDeviceRed);
    m.gasPipe(branch);
    auto* gasGate = m.device<TGate>(branch, dkGate, 0.5, 8, 3);
    EXPECT_EQ(DeviceStateColor(*gasGate), kGasGateGreen);
    gasGate->SetClosed(true);
    EXPECT_EQ(DeviceStateColor(*gasGate), kDeviceBlue);

    EXPECT_EQ(DeviceStateColor(*Make<TJetBreakTank>(dkJetBreakTank)), QColor(Qt::white));
}

TEST_F(DeviceLook, HydrantSymbolAndMinimumLengthFollowItsConsumptionMethod)
{
    auto* crane = Make<TCrane>(dkCrane);
    const TSymbolShape shapes[] = {TSymbolShape::FireNozzle, TSymbolShape::WaterCurtain,
                                   TSymbolShape::AutoExtinguisher, TSymbolShape::TechNeeds};
    const int lengths[] = {3, 5, 7, 5};
    for (int type = 0; type < 4; ++type) {
        crane->SetConsumerType(type);
        EXPECT_EQ(SymbolOf(*crane), shapes[type]);
        EXPECT_EQ(DeviceMinimumLength(*crane), lengths[type]);
    }
}
