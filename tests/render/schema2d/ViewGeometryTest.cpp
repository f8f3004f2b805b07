#include "render/schema2d/ViewGeometry.h"

#include <gtest/gtest.h>

namespace {

void ExpectNear(QPointF actual, QPointF expected, double tolerance)
{
    EXPECT_NEAR(actual.x(), expected.x(), tolerance);
    EXPECT_NEAR(actual.y(), expected.y(), tolerance);
}

// A 1000 × 1000 drawing in an 800 × 600 panel with 16-pixel scroll bars.
TViewGeometry SquareInPanel()
{
    TViewGeometry g;
    g.SetClient(QSize(800, 600), 16);
    g.SetExtent(QRectF(0, 0, 1000, 1000));
    return g;
}

QPointF VisibleCentre(const TViewGeometry& g)
{
    return QPointF(g.VisibleSize().width() / 2.0, g.VisibleSize().height() / 2.0);
}

}  // namespace

TEST(ViewGeometry, FactorsAndMarginFollowTheScaleWithinTheirLimits)
{
    TViewGeometry g;
    EXPECT_DOUBLE_EQ(g.F(), 1.9);  // 1:2000 at 38 px/cm
    EXPECT_DOUBLE_EQ(g.GridStep(200), 380);
    g.SetMapScale(1000);
    EXPECT_DOUBLE_EQ(g.F(), 3.8);
    EXPECT_DOUBLE_EQ(g.Margin(), 43);

    g.SetScale(2);
    EXPECT_DOUBLE_EQ(g.PreviousScale(), 1);
    EXPECT_DOUBLE_EQ(g.SymbolFactor(), 1.5);
    EXPECT_DOUBLE_EQ(g.TextFactor(), 1.5);
    EXPECT_DOUBLE_EQ(g.Margin(), 44.5);
    g.SetScale(0.5);
    EXPECT_DOUBLE_EQ(g.SymbolFactor(), 0.8);
    EXPECT_DOUBLE_EQ(g.Margin(), 42.4);
    g.SetScale(100);
    EXPECT_DOUBLE_EQ(g.Scale(), 30);
    g.SetScale(0.001);
    EXPECT_DOUBLE_EQ(g.Scale(), 0.01);

    g.SetScale(0.16);
    EXPECT_TRUE(g.ObjectsVisible());
    g.SetScale(0.15);
    EXPECT_FALSE(g.ObjectsVisible());

    g.SetLimits({0.5, 2, 0.6, 3});
    g.SetScale(0.55);
    EXPECT_DOUBLE_EQ(g.SymbolFactor(), 0.55);
    EXPECT_DOUBLE_EQ(g.TextFactor(), 0.6);

    // A print job renders at its own scale; the screen's text factor stays.
    g.SetLimits(TScaleLimits{});
    g.SetScale(0.5);
    g.SetPrinting(true, 600);
    g.SetScale(50);
    EXPECT_DOUBLE_EQ(g.Scale(), 50);
    EXPECT_DOUBLE_EQ(g.ScreenScale(), 0.5);
    EXPECT_DOUBLE_EQ(g.TextFactor(), 1.5);
    EXPECT_DOUBLE_EQ(g.ScreenTextFactor(), 0.8);
    EXPECT_DOUBLE_EQ(g.Margin(), 600.0 / 96 * 40 + 3 * 1.5);
}

TEST(ViewGeometry, WorldAndScreenMapBothWaysWithoutFlippingY)
{
    TViewGeometry g;
    g.SetClient(QSize(2000, 2000), 16);
    g.SetExtent(QRectF(100, 50, 400, 200), QMarginsF(10, 5, 20, 15));
    g.SetScale(2);  // text factor 1.5, margin 44.5
    EXPECT_DOUBLE_EQ(g.TotalWidth(), 800 + 30 * 1.5 + 89 - 0.1);
    // The left-most and top-most label edges start at the margin.
    ExpectNear(g.ToScreen(QPointF(100, 50)), QPointF(44.5 + 15, 44.5 + 7.5), 1e-9);
    const QPointF p(321.5, -17.25);
    ExpectNear(g.ToSchema(g.ToScreen(p)), p, 1e-9);
    EXPECT_DOUBLE_EQ(g.ToScreen(QPointF(0, 60)).y() - g.ToScreen(QPointF(0, 50)).y(), 20);

    g.SetClient(QSize(300, 200), 16);
    g.SetScrollPosition(QPoint(30, 40));
    ExpectNear(g.ToScreen(QPointF(100, 50)), QPointF(29.5, 12), 1e-9);
    ExpectNear(g.ToSchema(g.ToScreen(p)), p, 1e-9);
}

TEST(ViewGeometry, ScrollBarsShowWhenNeededAndOneBarCanBringTheOther)
{
    TViewGeometry g;  // scale 1, margin 43
    g.SetClient(QSize(500, 400), 20);
    g.SetExtent(QRectF(0, 0, 404, 314));  // 489.9 × 399.9: fits
    EXPECT_FALSE(g.HorizontalBar().Visible);
    EXPECT_FALSE(g.VerticalBar().Visible);

    g.SetExtent(QRectF(0, 0, 404, 324));  // too high; the vertical bar leaves 480 < 489.9
    ASSERT_TRUE(g.VerticalBar().Visible);
    ASSERT_TRUE(g.HorizontalBar().Visible);
    EXPECT_EQ(g.HorizontalBar().Maximum, 490);
    EXPECT_EQ(g.HorizontalBar().Page, 480);
    EXPECT_EQ(g.VerticalBar().Maximum, 410);
    EXPECT_EQ(g.VerticalBar().Page, 380);
    g.SetScrollPosition(QPoint(100, -5));
    EXPECT_EQ(g.ScrollPosition(), QPoint(11, 0));
    EXPECT_EQ(g.VisibleSize(), QSize(480, 380));

    g.SetExtent(QRectF(0, 0, 500, 310));  // too wide; the horizontal bar leaves 380 < 395.9
    EXPECT_TRUE(g.VerticalBar().Visible);

    g.SetExtent(QRectF(0, 0, 300, 324));  // only the vertical bar
    EXPECT_FALSE(g.HorizontalBar().Visible);
    EXPECT_EQ(g.HorizontalBar().Page, 480);
    g.SetScrollPosition(QPoint(50, 5));
    EXPECT_EQ(g.ScrollPosition(), QPoint(0, 5));  // a hidden bar stays at 0
}

TEST(ViewGeometry, FittingTheWholeSchemaEndsWithAPositiveScaleThatFits)
{
    TViewGeometry g;
    g.SetClient(QSize(800, 600), 16);

    g.SetScale(1.5);
    const int emptyPasses = g.FitWhole();  // a mine without nodes
    EXPECT_GE(emptyPasses, 1);
    EXPECT_LE(emptyPasses, TViewGeometry::kMaxFitPasses);
    EXPECT_DOUBLE_EQ(g.Scale(), 1.5);

    g.SetExtent(QRectF(0, 100, 1000, 0));  // nodes in one row: the height does not count
    EXPECT_LE(g.FitWhole(), TViewGeometry::kMaxFitPasses);
    EXPECT_NEAR(g.Scale(), (800 - 2 * 42.4) / 1000, 1e-9);

    g.SetExtent(QRectF(-500, -200, 2000, 1000));
    g.SetScale(4);
    g.SetScrollPosition(QPoint(100, 100));
    const int passes = g.FitWhole();
    EXPECT_GE(passes, 2);  // the margin shrank with the symbols, so one more pass
    EXPECT_LE(passes, TViewGeometry::kMaxFitPasses);
    EXPECT_GT(g.Scale(), 0.3);
    EXPECT_LE(g.TotalWidth(), 800);
    EXPECT_GT(g.TotalWidth(), 799);
    EXPECT_LE(g.TotalHeight(), 600);
    EXPECT_FALSE(g.HorizontalBar().Visible || g.VerticalBar().Visible);
    EXPECT_DOUBLE_EQ(g.PreviousScale(), 4);
    EXPECT_EQ(g.ScrollPosition(), QPoint(0, 0));

    // Labels reaching beyond the nodes keep their size at a small scale (the text factor stops
    // at its lower limit): the fit leaves room for them, so no scroll bar appears.
    g.SetExtent(QRectF(0, 0, 20000, 10000), QMarginsF(40, 30, 60, 30));
    g.FitWhole();
    EXPECT_LT(g.Scale(), 0.05);
    EXPECT_LE(g.TotalWidth(), 800);
    EXPECT_FALSE(g.HorizontalBar().Visible || g.VerticalBar().Visible);

    g.SetExtent(QRectF(0, 0, 1, 1));
    g.FitWhole();
    EXPECT_DOUBLE_EQ(g.Scale(), 30);
}

TEST(ViewGeometry, FittingASelectionCentresItAndKeepsTheScaleForOneNode)
{
    TViewGeometry g = SquareInPanel();
    g.SetScale(2);
    g.FitRect(QRectF(300, 200, 0, 0));
    EXPECT_DOUBLE_EQ(g.Scale(), 2);
    ExpectNear(g.ToScreen(QPointF(300, 200)), VisibleCentre(g), 1);

    g.SetScale(1);
    g.FitRect(QRectF(100, 500, 400, 0));  // a horizontal line: only its width counts
    EXPECT_NEAR(g.Scale(), 784.0 / 400 * 784 / (784 + 6 * 1.5), 1e-9);
    EXPECT_DOUBLE_EQ(g.PreviousScale(), 1);
    ExpectNear(g.ToScreen(QPointF(300, 500)), VisibleCentre(g), 1);
    EXPECT_GT(g.ToScreen(QPointF(100, 500)).x(), 0);
    EXPECT_LT(g.ToScreen(QPointF(500, 500)).x(), g.VisibleSize().width());
}

TEST(ViewGeometry, PreviousScaleTogglesWithItsScrollPositionAndStepsKeepThePoint)
{
    TViewGeometry g = SquareInPanel();
    g.SetScale(2);
    g.SetScrollPosition(QPoint(100, 80));
    g.SetScale(5);
    g.SetScrollPosition(QPoint(300, 200));
    g.TogglePrevious();
    EXPECT_DOUBLE_EQ(g.Scale(), 2);
    EXPECT_EQ(g.ScrollPosition(), QPoint(100, 80));
    g.TogglePrevious();
    EXPECT_DOUBLE_EQ(g.Scale(), 5);
    EXPECT_EQ(g.ScrollPosition(), QPoint(300, 200));

    g.SetScale(1);
    const QPointF keep(400, 300);
    g.StepZoom(true, keep);
    EXPECT_DOUBLE_EQ(g.Scale(), 1.5);
    ExpectNear(g.ToScreen(keep), VisibleCentre(g), 1);
    g.StepZoom(false, keep);
    EXPECT_DOUBLE_EQ(g.Scale(), 1);
    ExpectNear(g.ToScreen(keep), VisibleCentre(g), 1);
}
