#include "render/schema2d/PressureColouring.h"

#include "support/MineBuilder.h"
#include "core/hydraulics/HydroResults.h"
#include "core/model/DeviceKinds.h"
#include "core/model/PipePart.h"
#include "render/print/LegendColumn.h"
#include "render/schema2d/ProfileLook.h"
#include "render/schema2d/ResultTexts.h"
#include "render/schema2d/SchemaRenderer.h"
#include "render/schema2d/SchemaScene.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

using PressureColouring::Color;
using PressureColouring::Stretches;
using C = TPressureClass;

TUzel* Placed(MineBuilder& m, int number, float sx, float sy)
{
    TUzel* u = m.uzel(number, sx, sy, 0);
    u->SetSX(sx);
    u->SetSY(sy);
    return u;
}

TWaterPipePart* SectionOf(TBranch* b, int i) { return static_cast<TWaterPipePart*>(b->FirePipe()->GetSection(i)); }

void ExpectStretch(const TPressureStretch& s, double start, double end, C c)
{
    EXPECT_NEAR(s.Start, start, 1e-9);
    EXPECT_NEAR(s.End, end, 1e-9);
    EXPECT_EQ(s.Class, c);
}

// A context that draws the scene at the scale with the symbol factor free up to 4.
TRenderContext ContextFor(TSchemaScene& scene, double scale, QSize size)
{
    TRenderContext ctx;
    ctx.Show.UzelNumbers = false;
    ctx.View.SetLimits(TScaleLimits{0.8, 4, 0.8, 1.5});
    ctx.View.SetScale(scale);
    scene.RecomputeExtent(ctx.Show, ctx.Colors);
    scene.ApplyExtent(ctx.View);
    ctx.View.SetClient(size, 0);
    ctx.Area = QRectF(QPointF(0, 0), QSizeF(size));
    ctx.Antialiasing = false;
    return ctx;
}

QImage Draw(TSchemaScene& scene, const TRenderContext& ctx)
{
    QImage image(ctx.Area.size().toSize(), QImage::Format_RGB32);
    QPainter painter(&image);
    SchemaRenderer::Render(painter, scene, ctx);
    return image;
}

}  // namespace

// The scale's classes, their limits included: 0 is short, 60 and 150 are within the limits.
TEST(PressureColouring, ClassesOfTheScale)
{
    EXPECT_EQ(PressureColouring::ClassOf(-0.1), C::Negative);
    EXPECT_EQ(PressureColouring::ClassOf(0), C::Shortage);
    EXPECT_EQ(PressureColouring::ClassOf(59.9), C::Shortage);
    EXPECT_EQ(PressureColouring::ClassOf(60), C::Normal);
    EXPECT_EQ(PressureColouring::ClassOf(150), C::Normal);
    EXPECT_EQ(PressureColouring::ClassOf(150.1), C::Excess);
    // Four colours and four hatchings, no two alike.
    for (int a = 0; a < kPressureClasses; ++a)
        for (int b = a + 1; b < kPressureClasses; ++b) {
            EXPECT_NE(Color(C(a)), Color(C(b)));
            EXPECT_NE(PressureColouring::Hatch(C(a)), PressureColouring::Hatch(C(b)));
            EXPECT_NE(PressureColouring::Dashes(C(a)), PressureColouring::Dashes(C(b)));
        }
}

// The pressure runs straight along each section and the branch is cut where it crosses a
// limit: 170 → 40 m gives three stretches, cut at 150 and 60; stretches of one class join
// across a device; a section without results leaves its part of the branch out.
TEST(PressureColouring, StretchesAreCutWhereThePressureCrossesALimit)
{
    MineBuilder m;
    m.uzel(1, 0, 0, 0);
    m.uzel(2, 130, 0, 0);
    m.uzel(3, 260, 0, 0);
    TBranch* a = m.firePipe(1, 1, 2);
    THydroResults results;
    EXPECT_TRUE(Stretches(*a, results).empty()) << "no results, no stretches";
    results.AddSection(a, SectionOf(a, 0), {10, 0, 0, 170, 40});
    results.Reindex();
    const auto three = Stretches(*a, results);
    ASSERT_EQ(three.size(), 3u);
    ExpectStretch(three[0], 0, 20.0 / 130, C::Excess);
    ExpectStretch(three[1], 20.0 / 130, 110.0 / 130, C::Normal);
    ExpectStretch(three[2], 110.0 / 130, 1, C::Shortage);

    // Rising water: the same cuts, the other way.
    results = THydroResults();
    results.AddSection(a, SectionOf(a, 0), {10, 0, 0, -10, 30});
    results.Reindex();
    const auto rising = Stretches(*a, results);
    ASSERT_EQ(rising.size(), 2u);
    ExpectStretch(rising[0], 0, 0.25, C::Negative);
    ExpectStretch(rising[1], 0.25, 1, C::Shortage);

    TBranch* b = m.firePipe(2, 2, 3);
    m.device(b, dkGate, 0.5, 7);
    m.device(b, dkGate, 0.75, 8);
    results = THydroResults();
    results.AddSection(b, SectionOf(b, 0), {5, 0, 0, 100, 80});
    results.AddSection(b, SectionOf(b, 1), {5, 0, 0, 80, 70});
    results.Reindex();
    const auto joined = Stretches(*b, results);
    ASSERT_EQ(joined.size(), 1u) << "one class across the gate: one stretch";
    ExpectStretch(joined[0], 0, 0.75, C::Normal);
    EXPECT_TRUE(Stretches(*a, results).empty()) << "another branch's results are not this one's";
}

// Coloured by pressures, the band of a branch takes its stretches' colours; without results
// (or in the standard colouring) it keeps the branch colour.
TEST(PressureColouring, TheBandShowsTheStretches)
{
    MineBuilder m;
    Placed(m, 1, 0, 0);
    Placed(m, 2, 260, 0);
    TBranch* b = m.firePipe(1, 1, 2);
    THydroResults results;
    results.AddSection(b, SectionOf(b, 0), {10, 0, 0, 170, 40});
    results.Reindex();
    TSchemaScene scene(m.mine());
    TRenderContext ctx = ContextFor(scene, 1, QSize(400, 120));
    ctx.Show.ColorPaint = cmPressures;
    ctx.Results = &results;
    // Two pixels off the centre line: inside the band, beside the pipe.
    auto at = [&](const QImage& image, double x) {
        return image.pixelColor(ctx.View.ToScreen(QPointF(x, 0)).toPoint() + QPoint(0, 2));
    };
    const QImage coloured = Draw(scene, ctx);
    EXPECT_EQ(at(coloured, 10), Color(C::Excess));
    EXPECT_EQ(at(coloured, 130), Color(C::Normal));
    EXPECT_EQ(at(coloured, 250), Color(C::Shortage));

    const QColor standard = ProfileColor(ctx.Colors[cpBranch].BackColor);
    ctx.Results = nullptr;
    EXPECT_EQ(at(Draw(scene, ctx), 130), standard);
    ctx.Results = &results;
    ctx.Show.ColorPaint = cmStandard;
    EXPECT_EQ(at(Draw(scene, ctx), 130), standard);
}

// In black and white the four classes stay apart: each band has a hatching of its own (the
// within-limits band plain white), and a thin branch dashes of its own.
TEST(PressureColouring, BlackAndWhiteKeepsTheClassesApart)
{
    MineBuilder m;
    THydroResults results;
    const double pressures[] = {-20, 30, 100, 200};
    for (int i = 0; i < 4; ++i) {
        Placed(m, 2 * i + 1, 0, float(60 * i));
        Placed(m, 2 * i + 2, 300, float(60 * i));
        TBranch* b = m.firePipe(i + 1, 2 * i + 1, 2 * i + 2);
        results.AddSection(b, SectionOf(b, 0), {1, 0, 0, pressures[i], pressures[i]});
    }
    results.Reindex();
    TSchemaScene scene(m.mine());
    TRenderContext ctx = ContextFor(scene, 4, QSize(1400, 1100));
    ctx.Show.ColorPaint = cmPressures;
    ctx.Results = &results;
    ctx.BlackWhite = true;
    // A piece of each band beside the pipe (band ±12 px, pipe ±4 px at symbol factor 4), and
    // a piece of each thin line.
    auto piece = [&](const QImage& image, int i, QRect r) {
        const QPoint mid = ctx.View.ToScreen(QPointF(150, 60 * i)).toPoint();
        return image.copy(r.translated(mid));
    };
    const QImage bands = Draw(scene, ctx);
    ctx.Show.ThickBranch = false;
    const QImage lines = Draw(scene, ctx);
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j) {
            EXPECT_NE(piece(bands, i, QRect(-32, 5, 64, 6)), piece(bands, j, QRect(-32, 5, 64, 6)))
                << "bands " << i << " and " << j;
            EXPECT_NE(piece(lines, i, QRect(-40, -3, 80, 6)), piece(lines, j, QRect(-40, -3, 80, 6)))
                << "lines " << i << " and " << j;
        }
    if (const QString dir = qEnvironmentVariable("IRVATA_SCREENSHOT_DIR"); !dir.isEmpty()) {
        bands.save(dir + QStringLiteral("/pressure-bands-bw.png"));
        lines.save(dir + QStringLiteral("/pressure-lines-bw.png"));
    }
    const QImage normal = piece(bands, 2, QRect(-32, 5, 64, 6));
    EXPECT_EQ(normal.pixelColor(10, 2), QColor(Qt::white)) << "within the limits: no hatching";
}

// Result labels reach beyond the topmost node like the other labels: a sheet or a picture
// laid out by the extent never cuts them off.
TEST(PressureColouring, ResultLabelsCountInTheLabelOverhang)
{
    MineBuilder m;
    TUzel* first = Placed(m, 1, 0, 0);
    Placed(m, 2, 200, 0);
    TBranch* b = m.firePipe(1, 1, 2);
    auto* pump = m.device<TPump>(b, dkPump, 0.5, 3);
    THydroResults results;
    results.AddSection(b, SectionOf(b, 0), {12, 0, 3, 90, 87});
    results.AddSection(b, SectionOf(b, 1), {12, 0, 3, 120, 117});
    results.Devices.push_back({pump, 87, 120, 12});
    results.Reindex();
    TSchemaScene scene(m.mine());
    TDisplaySwitches show;
    show.UzelNumbers = false;
    show.ResultBits = kAllResultBits;
    TColors2D colors;
    auto top = [&](const THydroResults* r) {
        scene.RecomputeExtent(show, colors, r);
        return scene.LabelOverhang().top();
    };
    EXPECT_EQ(top(nullptr), 0) << "no results, no result labels";

    for (int i = 0; i < 2; ++i)
        SectionOf(b, i)->SetLabelOffset(TLabelOffset::Make(0, 0));
    pump->SetLabelOffset(TLabelOffset::Make(0, 0));
    const double onTheBranch = top(&results);
    EXPECT_GT(onTheBranch, 20) << "labels on the branch reach above it by half their height";
    SectionOf(b, 0)->SetLabelOffset(TLabelOffset::Make(0, -60));
    EXPECT_GT(top(&results), onTheBranch + 55) << "a section's label 60 up";

    SectionOf(b, 0)->SetLabelOffset(TLabelOffset::Make(0, 0));
    pump->SetLabelOffset(TLabelOffset::Make(0, -80));
    EXPECT_GT(top(&results), 80) << "a device's label";
    EXPECT_EQ(ResultTexts::DeviceResult(*pump, rbP, results), QStringLiteral("P: 87.0 / 120.0"));

    pump->SetLabelOffset(TLabelOffset::Make(0, 0));
    first->SetShowResult(true);
    first->SetResultLabelOffset(TLabelOffset::Make(0, -100));
    EXPECT_GT(top(&results), 100) << "a node's label";
    show.ResultBits = 0;
    EXPECT_LT(top(&results), 10) << "result labels off";
}

// A pump whose suction has no section before it (it stands at the pipe's start) shows both
// pressures of the calculation, not its outlet's alone; a hydrant shows its one pressure.
TEST(PressureColouring, DeviceLabelsTakeTheCalculationsPressures)
{
    MineBuilder m;
    Placed(m, 1, 0, 0);
    Placed(m, 2, 200, 0);
    TBranch* b = m.firePipe(1, 1, 2);
    auto* pump = m.device<TPump>(b, dkPump, 0, 1);
    auto* hydrant = m.device<TCrane>(b, dkCrane, 0.5, 2);
    THydroResults results;
    for (int i = 0; i < b->FirePipe()->SectionCount(); ++i)
        results.AddSection(b, SectionOf(b, i), {5, 0, 1, 110.0 - 10 * i, 109.0 - 10 * i});
    results.Devices.push_back({pump, -4, 110, 5});
    results.Reindex();
    EXPECT_EQ(ResultTexts::DeviceResult(*pump, rbP, results), QStringLiteral("P: -4.0 / 110.0"));
    double p = 0;
    ASSERT_TRUE(results.HydrantPressure(*hydrant, p));
    EXPECT_EQ(ResultTexts::DeviceResult(*hydrant, rbP, results), QStringLiteral("P: ") + ResultTexts::Fixed(p, 1));
}

// The legend of a sheet shows the pressure scale only when the drawing colours by pressures.
TEST(PressureColouring, TheLegendShowsTheScaleWhenColouringByPressures)
{
    TPasport passport;
    passport.PrintLegend = true;
    TSymbolTable symbols{};
    const TPaperUnits units = TPaperUnits::ForDpi(300, 300);
    const TLegendColumn plain(passport, symbols, {}, units);
    const TLegendColumn scaled(passport, symbols, {}, units, false, true);
    const QStringList captions = {QStringLiteral("P < 0 м"), QStringLiteral("0…60 м (недостаток)"),
                                  QStringLiteral("60…150 м (норма)"), QStringLiteral("P > 150 м (избыток)")};
    for (const QString& c : captions) {
        EXPECT_FALSE(plain.Texts().contains(c));
        EXPECT_TRUE(scaled.Texts().contains(c)) << c.toStdString();
    }
    EXPECT_GT(scaled.HeightPx(), plain.HeightPx() + 4 * units.Y * 0.99);

    THydroResults results;
    TSchemaDrawing drawing;
    drawing.Show.ColorPaint = cmPressures;
    EXPECT_FALSE(PressureColouring::Applies(drawing)) << "no results to colour by";
    drawing.Results = &results;
    EXPECT_TRUE(PressureColouring::Applies(drawing));
    drawing.Show.ColorPaint = cmStandard;
    EXPECT_FALSE(PressureColouring::Applies(drawing));
}
