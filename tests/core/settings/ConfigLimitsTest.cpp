#include "core/settings/ConfigLimits.h"

#include <gtest/gtest.h>

TEST(ConfigLimits, MaxDeltaPLiesInZeroToTwenty)
{
    EXPECT_TRUE(CheckMaxDeltaP(QStringLiteral("20")).ok());
    EXPECT_EQ(*CheckMaxDeltaP(QStringLiteral("20")).value, 20.0);
    EXPECT_TRUE(CheckMaxDeltaP(QStringLiteral("0")).ok());
    EXPECT_TRUE(CheckMaxDeltaP(QStringLiteral("1,5")).ok());

    const NumberFieldCheck refused = CheckMaxDeltaP(QStringLiteral("20.5"));
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(refused.error, QStringLiteral("Разница давлений должна лежать в пределах от 0 до 20 м.вод.ст."));
    EXPECT_FALSE(CheckMaxDeltaP(QStringLiteral("-0.1")).ok());
    EXPECT_FALSE(CheckMaxDeltaP(QStringLiteral("20,000001")).ok());
}

TEST(ConfigLimits, KoefRLiesInOneToTwo)
{
    EXPECT_TRUE(CheckDefaultKoefR(QStringLiteral("1")).ok());
    EXPECT_TRUE(CheckDefaultKoefR(QStringLiteral("2")).ok());
    EXPECT_TRUE(CheckDefaultKoefR(QStringLiteral(" 1.05 ")).ok());
    EXPECT_DOUBLE_EQ(*CheckDefaultKoefR(QStringLiteral("1,05")).value, 1.05);

    const NumberFieldCheck refused = CheckDefaultKoefR(QStringLiteral("0.99"));
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(refused.error, QStringLiteral("Коэффициент местных сопротивлений может принимать значения от 1 до 2"));
    EXPECT_FALSE(CheckDefaultKoefR(QStringLiteral("2.01")).ok());
}

TEST(ConfigLimits, TextThatIsNoNumberGivesTheInvalidNumberMessage)
{
    for (const QString& text : {QStringLiteral("abc"), QStringLiteral(""), QStringLiteral("1.2.3"), QStringLiteral("1 000"),
                                QStringLiteral("nan"), QStringLiteral("inf")}) {
        const NumberFieldCheck check = CheckDefaultKoefR(text);
        EXPECT_FALSE(check.ok()) << text.toStdString();
        EXPECT_EQ(check.error, kInvalidNumberText.arg(text.trimmed())) << text.toStdString();
    }
}

TEST(ConfigLimits, DecimalTextRoundTrips)
{
    for (double v : {0.0, 1.0, 1.05, 20.0, 0.1, 1e-10})
        EXPECT_EQ(*ParseDecimal(FormatDecimal(v)), v);
    EXPECT_EQ(FormatDecimal(1.05), QStringLiteral("1.05"));
    EXPECT_EQ(FormatDecimal(20), QStringLiteral("20"));
}

TEST(ConfigLimits, FontSizeMustBeAWholeNumber)
{
    EXPECT_EQ(ParseFontSize(QStringLiteral("8")), 8);
    EXPECT_EQ(ParseFontSize(QStringLiteral(" 13 ")), 13);
    EXPECT_FALSE(ParseFontSize(QStringLiteral("8.5")));
    EXPECT_FALSE(ParseFontSize(QStringLiteral("0")));
    EXPECT_FALSE(ParseFontSize(QStringLiteral("x")));
    EXPECT_FALSE(ParseFontSize(QStringLiteral("100000")));
}
