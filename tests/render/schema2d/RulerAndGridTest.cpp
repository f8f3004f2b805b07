#include "render/schema2d/RulerTicks.h"
#include "render/schema2d/SchemaGrid.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Tick length and label by position, rounded to a hundredth of a pixel.
std::map<long, std::pair<int, QString>> ByPosition(const std::vector<TRulerTick>& ticks)
{
    std::map<long, std::pair<int, QString>> out;
    for (const TRulerTick& t : ticks)
        out[std::lround(t.Position * 100)] = {t.Length, t.Label};
    return out;
}

}  // namespace

TEST(RulerTicks, CentimetresAtDoubleScaleShowEighthsBothSidesOfTheZero)
{
    const auto ticks = ByPosition(RulerTicks(100, 200, 2, true));  // 76 px a centimetre
    using P = std::pair<int, QString>;
    EXPECT_EQ(ticks.at(10000), P(8, QStringLiteral("0")));
    EXPECT_EQ(ticks.at(17600), P(8, QStringLiteral("1")));
    EXPECT_EQ(ticks.at(2400), P(8, QStringLiteral("-1")));
    EXPECT_EQ(ticks.at(13800), P(6, QString()));
    EXPECT_EQ(ticks.at(11900), P(4, QString()));
    EXPECT_EQ(ticks.at(8100), P(4, QString()));  // the odd quarter left of the zero
    EXPECT_EQ(ticks.at(10950), P(3, QString()));
    EXPECT_EQ(ticks.at(9050), P(3, QString()));
    for (const auto& [pos, tick] : ticks)
        EXPECT_TRUE(pos >= 0 && pos <= 20000) << pos;
    EXPECT_EQ(ticks.size(), 21u);  // every 9.5 px over 200 px
}

TEST(RulerTicks, SmallerScalesLabelFewerUnitsAndDropTheFineTicks)
{
    // Pixels at 30 %: a label every 2 units of 50 px, counted in pixels.
    auto ticks = ByPosition(RulerTicks(40, 100, 0.3, false));
    using P = std::pair<int, QString>;
    EXPECT_EQ(ticks.at(7000), P(8, QStringLiteral("100")));
    EXPECT_EQ(ticks.at(1000), P(8, QStringLiteral("-100")));
    EXPECT_EQ(ticks.at(5500), P(6, QString()));
    EXPECT_EQ(ticks.size(), 7u);

    // Centimetres at 10 %: a label every 20 cm.
    ticks = ByPosition(RulerTicks(0, 80, 0.1, true));
    EXPECT_EQ(ticks.at(7600), P(8, QStringLiteral("20")));
    EXPECT_EQ(ticks.at(3800), P(6, QString()));

    for (const TRulerTick& t : RulerTicks(0, 500, 1, true))
        EXPECT_NE(t.Length, 3);  // no eighths below 105 %
    EXPECT_TRUE(RulerTicks(0, 500, 0, true).empty());
}

// Told how wide a digit is, the ruler spaces its labels so that no two run together at any
// scale (at 20 % the centimetre labels came every 15 px, "-120" taking 20), on either side
// of a zero that lies far off the ruler; the labelled ticks still fall on whole steps.
TEST(RulerTicks, LabelsNeverOverlap)
{
    const double digit = 6;
    for (const bool cm : {true, false})
        for (const double scale : {0.01, 0.05, 0.1, 0.15, 0.2, 0.3, 0.4, 0.6, 1.0, 2.0, 10.0, 30.0})
            for (const double zero : {0.0, 400.0, -20000.0, 35000.0}) {
                const auto ticks = RulerTicks(zero, 1200, scale, cm, digit);
                const TRulerTick* last = nullptr;
                int labels = 0;
                for (const TRulerTick& t : ticks) {
                    if (t.Label.isEmpty())
                        continue;
                    ++labels;
                    if (last) {
                        const double room = (t.Label.size() + last->Label.size()) / 2.0 * digit + digit;
                        EXPECT_GE(t.Position - last->Position, room)
                            << (cm ? "cm" : "pix") << " at " << scale << " zero " << zero << ": " << last->Label.toStdString()
                            << " then " << t.Label.toStdString();
                    }
                    last = &t;
                }
                EXPECT_GE(labels, 1) << scale << " " << zero;
            }
    // At 20 % in centimetres the step grows from 2 to 5 cm.
    std::vector<QString> labels;
    for (const TRulerTick& t : RulerTicks(0, 200, 0.2, true, digit))
        if (!t.Label.isEmpty())
            labels.push_back(t.Label);
    EXPECT_EQ(labels, (std::vector<QString>{QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("10"),
                                            QStringLiteral("15"), QStringLiteral("20"), QStringLiteral("25")}));
}

TEST(SchemaGrid, LinesStartAtTheOriginAndCoverTheVisibleRectangle)
{
    const TGridLines g = GridLines(QRectF(QPointF(-50, -50), QPointF(130, 70)), QPointF(10, 5), 40);
    EXPECT_EQ(g.X, (std::vector<double>{-30, 10, 50, 90, 130}));
    EXPECT_EQ(g.Y, (std::vector<double>{-35, 5, 45}));
    EXPECT_TRUE(GridLines(QRectF(0, 0, 100, 100), QPointF(), 0).X.empty());
    EXPECT_TRUE(GridLines(QRectF(0, 0, 1e9, 10), QPointF(), 1).X.empty());  // a solid fill, not a grid
}
