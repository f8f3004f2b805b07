#include "core/file/ByteWriter.h"
#include "core/settings/Params2D.h"
#include "core/settings/ScaleLimits.h"
#include "support/SettingsSandbox.h"

#include <gtest/gtest.h>

#include <cmath>
#include <type_traits>

namespace {

// Every value away from its default.
TParams2D changedParams()
{
    TParams2D p;
    p.Units = ruPixels;
    p.Line = true;
    p.HintVisible = p.NumBranchesBottom = p.ThickBranch = p.InfoPanelVisible = false;
    p.DevVisible = p.TextBlockVisible = false;
    p.MinLimScale = 0.3;
    p.MaxLimScale = 12.5;
    p.MinFontScale = 0.05;  // the ends of the range are limits like any other
    p.MaxFontScale = 30;
    p.GridVisible = p.BranchArrowVisible = p.AirArrows = p.OnlyDuct = true;
    p.PipeIndex = 2;
    p.VisibleObjects = voBranchLabels | voComments;
    p.BranchInfo = biAngles;
    p.ColorPaint = 3;
    p.DevInfo = 4;
    return p;
}

template <typename T>
QByteArray binary(T v)
{
    ByteWriter w;
    if constexpr (std::is_same_v<T, double>)
        w.ext80(Extended80::fromDouble(v));
    else
        w.i32(v);
    return w.data();
}

TParams2D loaded(SettingsStore& store)
{
    TParams2D p = changedParams();  // nothing of what was there may stay
    p.Load(store);
    return p;
}

}  // namespace

TEST(Params2D, DefaultsSaveAndLoadAtTheNextStart)
{
    const TParams2D defaults;
    EXPECT_EQ(defaults.Units, ruCentimetres);
    EXPECT_TRUE(defaults.HintVisible && defaults.NumBranchesBottom && defaults.ThickBranch && defaults.DevVisible);
    EXPECT_EQ(defaults.MinLimScale, 0.8);
    EXPECT_EQ(defaults.MaxFontScale, 1.5);
    EXPECT_EQ(defaults.VisibleObjects, voUzelNumbers);

    SettingsSandbox sandbox;
    EXPECT_EQ(loaded(sandbox.user()), defaults);  // nothing stored yet

    ASSERT_TRUE(changedParams().Save(sandbox.user()));
    ASSERT_TRUE(sandbox.user().save());
    sandbox.restart();
    SettingsStore& store = sandbox.user();
    // The stored shapes: 1-byte switches, an integer "Line", 4-byte "PipeIndex", 10-byte limits.
    EXPECT_EQ(store.readBinary(kParams2DUnitsKey, "Units"), QByteArray(1, '\0'));
    EXPECT_EQ(store.readInteger(kParams2DUnitsKey, "Line"), 1);
    EXPECT_EQ(store.readBinary(kParams2DScaleKey, "MaxLimScale"), binary(12.5));
    EXPECT_EQ(store.readBinary(kParams2DScaleKey, "PipeIndex"), binary(2));
    EXPECT_EQ(store.readBinary(kParams2DScaleKey, "NumBranchesBottom"), QByteArray(1, '\0'));
    EXPECT_EQ(loaded(store), changedParams());

    store.writeBinary(kParams2DScaleKey, "DevInfo", QByteArray(1, '\5'));  // no such mode
    store.writeString(kParams2DUnitsKey, "Line", "1");                     // another type
    EXPECT_EQ(loaded(store).DevInfo, defaults.DevInfo);
    EXPECT_EQ(loaded(store).Line, defaults.Line);
}

TEST(Params2D, StoredPipeIndexKeepsDegasificationAndReadsOthersOutsideAsAll)
{
    SettingsSandbox sandbox;
    SettingsStore& store = sandbox.user();
    ASSERT_TRUE(TParams2D().Save(store));
    for (const qint32 stored : {3, -1, 0, 4, -2, 1 << 30}) {
        store.writeBinary(kParams2DScaleKey, "PipeIndex", binary(stored));
        EXPECT_EQ(loaded(store).PipeIndex, stored <= 3 && stored >= -1 ? stored : -1) << stored;
    }
}

TEST(Params2D, AStoredLimitOutOfRangeOrOutOfOrderResetsTheScaleGroupOnly)
{
    SettingsSandbox sandbox;
    SettingsStore& store = sandbox.user();
    const std::pair<const char*, double> cases[] = {{"MaxLimScale", 50},   {"MinFontScale", 0.049}, {"MaxFontScale", 30.01},
                                                    {"MinLimScale", 13},   {"MaxLimScale", std::nan("")}};
    for (const auto& [name, value] : cases) {
        ASSERT_TRUE(changedParams().Save(store));
        store.writeBinary(kParams2DScaleKey, name, binary(value));
        TParams2D expected = changedParams();
        expected.ResetDefaults(prgScale);
        EXPECT_EQ(loaded(store), expected) << name << " " << value;
    }
}

TEST(Params2D, ResetGroupsPutBackOnlyTheirValues)
{
    const auto reset = [](std::initializer_list<TParamsResetGroup> groups) {
        TParams2D p = changedParams();
        for (const TParamsResetGroup g : groups)
            p.ResetDefaults(g);
        return p;
    };
    TParams2D units = changedParams();
    units.Units = ruCentimetres;
    units.Line = false;
    units.HintVisible = units.NumBranchesBottom = true;
    EXPECT_EQ(reset({prgUnits}), units);
    EXPECT_EQ(reset({prgUnits, prgScale}), reset({prgUnitsAndScale}));
    EXPECT_NE(reset({prgUnitsAndScale}), units);
    EXPECT_EQ(reset({prgScale}).Units, ruPixels);
    EXPECT_EQ(reset({prgAll}), TParams2D());
}

TEST(ScaleLimits, LimitsLieWithinFiveToThreeThousandPercentAndInOrder)
{
    const ScaleLimitsCheck ends = CheckScaleLimits("5", "3000", "5", 30.0);
    ASSERT_TRUE(ends.ok()) << ends.error.toStdString();
    EXPECT_EQ(ends.MinFontScale, 0.05);
    EXPECT_EQ(ends.MaxFontScale, 30.0);
    EXPECT_TRUE(CheckScaleLimits("150", "150", "80,5", 1.5).ok());

    struct Case {
        const char *minFont, *maxFont, *minLim;
        double maxLim;
        QString error;
        TScaleLimitField field;
    };
    const QString range = kScaleLimitRangeText;
    const QString ratio = QStringLiteral("Неверное соотношение пределов");
    const QString noNumber = QStringLiteral("Некорректное значение");
    for (const Case& c : {Case{"4", "150", "80", 1.5, range, TScaleLimitField::MinFont},
                          Case{"80", "3001", "80", 1.5, range, TScaleLimitField::MaxFont},
                          Case{"80", "150", "4,99", 1.5, range, TScaleLimitField::MinLim},
                          Case{"80", "150", "80", 30.01, range, TScaleLimitField::MaxLim},
                          Case{"150", "120", "80", 1.5, ratio, TScaleLimitField::MinFont},
                          Case{"80", "150", "160", 1.5, ratio, TScaleLimitField::MinLim},
                          Case{"80", "1x0", "80", 1.5, noNumber, TScaleLimitField::MaxFont},
                          Case{"", "150", "80", 1.5, noNumber, TScaleLimitField::MinFont}}) {
        const ScaleLimitsCheck check = CheckScaleLimits(c.minFont, c.maxFont, c.minLim, c.maxLim);
        EXPECT_EQ(check.error, c.error) << c.minFont << " " << c.maxFont << " " << c.minLim << " " << c.maxLim;
        EXPECT_EQ(check.field, c.field) << c.minFont << " " << c.maxFont << " " << c.minLim << " " << c.maxLim;
    }
}
