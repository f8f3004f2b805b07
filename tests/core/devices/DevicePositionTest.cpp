#include "core/devices/DeviceEditError.h"
#include "core/devices/DevicePosition.h"
#include "support/MineBuilder.h"

#include <gtest/gtest.h>

namespace {

using DevicePosition::Parse;

// Expects the text to be refused with the conversion message, pointing at the position.
void ExpectRefused(const TBranch& b, TPositionField field, const QString& text)
{
    try {
        Parse(b, field, text);
        ADD_FAILURE() << "accepted " << text.toStdString();
    } catch (const EDeviceEditError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Неверно указано число"));
        EXPECT_EQ(e.Field(), TDraftField::Position);
    }
}

TEST(DevicePosition, TypedOnA200MetreBranch)
{
    MineBuilder mb;
    mb.uzel(1, 0, 0, 10);
    mb.uzel(2, 200, 0, 10);
    TBranch* b = mb.firePipe(1, 1, 2);

    const double f = Parse(*b, TPositionField::FromStart, QStringLiteral(" 25% "));
    EXPECT_DOUBLE_EQ(f, 0.25);
    const TPositionTexts t = DevicePosition::Texts(*b, f);
    EXPECT_EQ(t.FromStart, QStringLiteral("50.0 м"));
    EXPECT_EQ(t.FromEnd, QStringLiteral("150.0 м"));
    EXPECT_EQ(t.Elevation, QStringLiteral("10.0 м"));

    EXPECT_DOUBLE_EQ(Parse(*b, TPositionField::FromStart, QStringLiteral("250")), 1.0);  // clamped last
    EXPECT_DOUBLE_EQ(Parse(*b, TPositionField::FromEnd, QStringLiteral("50м")), 0.75);
    EXPECT_DOUBLE_EQ(Parse(*b, TPositionField::FromStart, QStringLiteral("12,5 М")), 0.0625);
    EXPECT_DOUBLE_EQ(Parse(*b, TPositionField::FromStart, QStringLiteral("-5")), 0.0);
    for (const char* junk : {"", "м", "25 m", "abc", "1e999"})
        ExpectRefused(*b, TPositionField::FromStart, QString::fromUtf8(junk));
    // A level branch gives the elevation nothing to go by.
    ExpectRefused(*b, TPositionField::Elevation, QStringLiteral("10"));
    EXPECT_FALSE(DevicePosition::ElevationEditable(*b));
    EXPECT_EQ(DevicePosition::StartLabel(*b), QStringLiteral("от узла 1"));
    EXPECT_DOUBLE_EQ(DevicePosition::ParseStep(*b, QStringLiteral("25%")), 50.0);
    EXPECT_DOUBLE_EQ(DevicePosition::ParseStep(*b, QStringLiteral("30")), 30.0);
}

TEST(DevicePosition, ElevationMapsThroughTheEndHeights)
{
    MineBuilder mb;
    mb.uzel(1, 0, 0, -100);
    mb.uzel(2, 80, 0, -140);
    TBranch* b = mb.firePipe(1, 1, 2);
    EXPECT_TRUE(DevicePosition::ElevationEditable(*b));
    EXPECT_DOUBLE_EQ(Parse(*b, TPositionField::Elevation, QStringLiteral("-110")), 0.25);
    EXPECT_DOUBLE_EQ(Parse(*b, TPositionField::Elevation, QStringLiteral("-90м")), 0.0);
    // And back: a quarter of the way from the start node (a level branch cannot tell).
    EXPECT_EQ(DevicePosition::Texts(*b, 0.25).Elevation, QStringLiteral("-110.0 м"));
    ExpectRefused(*b, TPositionField::Elevation, QStringLiteral("50%"));
}

TEST(DevicePosition, PercentWhenTheBranchHasNoEndNode)
{
    MineBuilder mb;
    mb.uzel(1);
    TBranch* b = mb.firePipe(1, 1, 99);
    ExpectRefused(*b, TPositionField::FromStart, QStringLiteral("10м"));
    const double f = Parse(*b, TPositionField::FromStart, QStringLiteral("30"));
    EXPECT_DOUBLE_EQ(f, 0.3);
    const TPositionTexts t = DevicePosition::Texts(*b, f);
    EXPECT_EQ(t.FromStart, QStringLiteral("30.0 %"));
    EXPECT_EQ(t.FromEnd, QStringLiteral("70.0 %"));
    EXPECT_TRUE(t.Elevation.isEmpty());
    EXPECT_EQ(DevicePosition::EndLabel(*b), QStringLiteral("от конеч. узла"));
    EXPECT_DOUBLE_EQ(Parse(*b, TPositionField::FromEnd, QStringLiteral("30%")), 0.7);
    ExpectRefused(*b, TPositionField::Elevation, QStringLiteral("5"));
}

}  // namespace
