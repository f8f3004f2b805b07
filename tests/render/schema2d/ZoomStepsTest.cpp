#include "render/schema2d/ZoomSteps.h"

#include <gtest/gtest.h>

using namespace ZoomSteps;

TEST(ZoomSteps, StepsGoToTheNextTableValueAndStopAtBothEnds)
{
    EXPECT_DOUBLE_EQ(ZoomIn(1), 1.5);
    EXPECT_DOUBLE_EQ(ZoomOut(1), 0.5);
    EXPECT_DOUBLE_EQ(ZoomIn(1.2), 1.5);  // between two values: the nearer one on each side
    EXPECT_DOUBLE_EQ(ZoomOut(1.2), 1);
    EXPECT_DOUBLE_EQ(ZoomIn(0.9999999999999), 1.5);  // a fitted scale next to a table value
    EXPECT_DOUBLE_EQ(ZoomIn(30), 30);
    EXPECT_DOUBLE_EQ(ZoomOut(30), 25);
    EXPECT_DOUBLE_EQ(ZoomOut(45), 25);
    EXPECT_DOUBLE_EQ(ZoomIn(0.01), 0.05);
    EXPECT_DOUBLE_EQ(ZoomIn(0.004), 0.05);
    EXPECT_DOUBLE_EQ(ZoomOut(0.01), 0.01);

    // Stepping out from the top visits every value of the table in order.
    double s = kMaxScale;
    for (size_t i = 1; i < kTable.size(); ++i) {
        s = ZoomOut(s);
        EXPECT_DOUBLE_EQ(s, kTable[i]);
    }
}

TEST(ZoomSteps, ScaleBoxListsAllButTheLowestLimit)
{
    const QStringList texts = ScaleBoxTexts();
    ASSERT_EQ(texts.size(), 19);
    EXPECT_EQ(texts.front(), QStringLiteral("3000%"));
    EXPECT_EQ(texts[13], QStringLiteral("150%"));
    EXPECT_EQ(texts.back(), QStringLiteral("5%"));
    EXPECT_EQ(ScaleText(0.357), QStringLiteral("36%"));
}

TEST(ZoomSteps, TypedScalesAreIntegersWithAtMostOneTrailingPercentSign)
{
    const QString limit = QStringLiteral("Масштаб должен быть больше 0% и меньше 3000%");
    EXPECT_EQ(ScaleLimitText(), limit);
    for (const char* refused : {"0", "3001%", "-5"}) {
        const TScaleInput in = ParseScaleText(QString::fromLatin1(refused));
        EXPECT_FALSE(in.Scale) << refused;
        EXPECT_EQ(in.Error, limit) << refused;
    }
    for (const char* bad : {"5%0", "50%%", "%50", "abc", "", "1.5"}) {
        const TScaleInput in = ParseScaleText(QString::fromLatin1(bad));
        EXPECT_FALSE(in.Scale) << bad;
        EXPECT_EQ(in.Error, QStringLiteral("Некорректное значение")) << bad;
    }
    EXPECT_DOUBLE_EQ(*ParseScaleText(QStringLiteral("50")).Scale, 0.5);
    EXPECT_DOUBLE_EQ(*ParseScaleText(QStringLiteral("50%")).Scale, 0.5);
    EXPECT_DOUBLE_EQ(*ParseScaleText(QStringLiteral("3000%")).Scale, 30);
    EXPECT_DOUBLE_EQ(*ParseScaleText(QStringLiteral("1")).Scale, 0.01);
}
