// Speed of the technological schema's drawing on generated mines, on an offscreen 1920×1080
// picture of 32-bit RGB (Format_RGB32, the raster engine's fast path) without antialiasing,
// as the window paints. The floor is filling that picture once: a repaint can never be
// cheaper. Targets: full repaint at 100 % 30 ms, lines only at fit 40 ms, everything at 16 %
// 600 ms, a 100-pixel scroll 10 ms, scene, extent, fit and first paint of 100 000 branches 1 s.

#include "core/schema/DrawingOrder.h"
#include "core/exchange/MineGenerator.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "render/schema2d/DragFrame.h"
#include "render/schema2d/HitIndex.h"
#include "render/schema2d/SchemaRenderer.h"
#include "render/schema2d/SchemaScene.h"

#include <QImage>
#include <QPainter>

#include "BenchMines.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include <map>
#include <memory>
#include <utility>

namespace {

constexpr QSize kWindow(1920, 1080);

QImage WindowImage()
{
    return QImage(kWindow, QImage::Format_RGB32);
}

// Lines only: no labels, devices, comments, text blocks or bands.
TDisplaySwitches LinesOnly()
{
    TDisplaySwitches s;
    s.UzelNumbers = false;
    s.BranchLabels = false;
    s.Comments = false;
    s.Devices = false;
    s.TextBlocks = false;
    s.ThickBranch = false;
    return s;
}

TDisplaySwitches Everything()
{
    TDisplaySwitches s;
    s.UzelNumbers = true;
    s.BranchLabels = true;
    s.Comments = true;
    s.Devices = true;
    s.DevInfo = diNumbers;
    s.Grid = true;
    s.TextBlocks = true;
    s.ThickBranch = true;
    return s;
}

// The window's context over a scene whose extent is computed for the switches.
TRenderContext WindowContext(TSchemaScene& scene, const TDisplaySwitches& show)
{
    TRenderContext ctx;
    ctx.Show = show;
    scene.RecomputeExtent(show, ctx.Colors);
    scene.ApplyExtent(ctx.View);
    ctx.View.SetClient(kWindow, 0);
    ctx.Area = QRectF(QPointF(0, 0), QSizeF(kWindow));
    return ctx;
}

// At the scale, scrolled so the middle of the drawing is in the middle of the window.
void AtMiddle(TRenderContext& ctx, double scale)
{
    ctx.View.SetScale(scale);
    ctx.View.CentreOn(ctx.View.Extent().center());
}

void Paint(QImage& image, TSchemaScene& scene, const TRenderContext& ctx)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    SchemaRenderer::Render(painter, scene, ctx);
}

void SchemaPaintFloor(benchmark::State& state)
{
    QImage image = WindowImage();
    for (auto _ : state) {
        image.fill(QColor(240, 240, 240));
        benchmark::DoNotOptimize(image.constBits());
    }
}

void SchemaRepaintAt100(benchmark::State& state)
{
    TSchemaScene scene(BenchMine(int(state.range(0))));
    TRenderContext ctx = WindowContext(scene, TDisplaySwitches());
    AtMiddle(ctx, 1);
    QImage image = WindowImage();
    for (auto _ : state)
        Paint(image, scene, ctx);
}

void SchemaRepaintFitLinesOnly(benchmark::State& state)
{
    TSchemaScene scene(BenchMine(int(state.range(0))));
    TRenderContext ctx = WindowContext(scene, LinesOnly());
    ctx.View.FitWhole();
    state.counters["scale %"] = 100 * ctx.View.Scale();
    QImage image = WindowImage();
    for (auto _ : state)
        Paint(image, scene, ctx);
}

void SchemaRepaintAt16Everything(benchmark::State& state)
{
    TSchemaScene scene(BenchMine(int(state.range(0))));
    TRenderContext ctx = WindowContext(scene, Everything());
    AtMiddle(ctx, 0.16);
    QImage image = WindowImage();
    for (auto _ : state)
        Paint(image, scene, ctx);
}

// Scrolling by 100 pixels: the cached picture moves, only the strip it uncovers is drawn.
// Scrolls right and back left in turn so the view stays in the middle.
void SchemaScroll100(benchmark::State& state)
{
    constexpr int kStep = 100;
    TSchemaScene scene(BenchMine(int(state.range(0))));
    TRenderContext ctx = WindowContext(scene, TDisplaySwitches());
    AtMiddle(ctx, 1);
    QImage front = WindowImage();
    Paint(front, scene, ctx);
    QImage back = WindowImage();
    int direction = 1;
    for (auto _ : state) {
        const QPoint from = ctx.View.ScrollPosition();
        ctx.View.SetScrollPosition(from + QPoint(direction * kStep, 0));
        const int moved = ctx.View.ScrollPosition().x() - from.x();
        if (moved == 0) {
            state.SkipWithError("the drawing does not scroll");
            break;
        }
        const QRect strip = moved > 0 ? QRect(kWindow.width() - moved, 0, moved, kWindow.height())
                                      : QRect(0, 0, -moved, kWindow.height());
        {
            QPainter painter(&back);
            painter.drawImage(QPoint(-moved, 0), front);
            painter.setClipRect(strip);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setRenderHint(QPainter::TextAntialiasing, false);
            ctx.Clip = QRectF(strip);
            SchemaRenderer::Render(painter, scene, ctx);
        }
        std::swap(front, back);
        direction = -direction;
    }
}

// Opening a large mine: the scene, its extent, the fit, then the first paint at 100 %.
void SchemaBuildAndFirstPaint(benchmark::State& state)
{
    TMine& mine = BenchMine(int(state.range(0)));
    QImage image = WindowImage();
    for (auto _ : state) {
        TSchemaScene scene(mine);
        TRenderContext ctx = WindowContext(scene, TDisplaySwitches());
        ctx.View.FitWhole();
        AtMiddle(ctx, 1);
        Paint(image, scene, ctx);
    }
}

// The index of what lies under the pointer: built once per view (timed), then asked at
// points all over the drawing; the slowest 1 % of questions is reported.
void SchemaHitIndex(benchmark::State& state)
{
    TSchemaScene scene(BenchMine(int(state.range(0))));
    TRenderContext ctx = WindowContext(scene, TDisplaySwitches());
    AtMiddle(ctx, 1);
    ctx.View.SetClient(QSize(1 << 20, 1 << 20), 0);  // every object on the screen
    ctx.View.SetScrollPosition(QPoint());
    THitIndex index;
    std::mt19937 random(5);
    std::uniform_real_distribution<double> x(0, ctx.View.TotalWidth());
    std::uniform_real_distribution<double> y(0, ctx.View.TotalHeight());
    std::vector<double> times;
    for (auto _ : state) {
        index.Build(scene, ctx, true);
        state.PauseTiming();
        times.clear();
        for (int i = 0; i < 20000; ++i) {
            const QPointF p(x(random), y(random));
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(index.At(p));
            times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
        }
        state.ResumeTiming();
    }
    std::sort(times.begin(), times.end());
    state.counters["p99 us"] = times[times.size() * 99 / 100];
    state.counters["max us"] = times.back();
}

// One frame of a node drag, with everything shown, at the scale in per cent: 25 nodes around
// the middle of the drawing move; what stays was drawn into a picture at the first frame
// (outside the timing), so a frame is that picture and the branches at the moving nodes.
void SchemaNodeDragFrame(benchmark::State& state)
{
    TMine& mine = BenchMine(int(state.range(0)));
    TSchemaScene scene(mine);
    TRenderContext ctx = WindowContext(scene, Everything());
    AtMiddle(ctx, state.range(1) / 100.0);
    const QPointF middle = ctx.View.ToSchema(QPointF(kWindow.width() / 2.0, kWindow.height() / 2.0));
    std::vector<TUzel*> nearest(mine.Uzels.begin(), mine.Uzels.end());
    const auto away = [&](const TUzel* u) { return std::hypot(u->SX() - middle.x(), u->SY() - middle.y()); };
    std::partial_sort(nearest.begin(), nearest.begin() + 25, nearest.end(),
                      [&](const TUzel* a, const TUzel* b) { return away(a) < away(b); });
    mine.Selection.Clear();
    for (int i = 0; i < 25; ++i)
        mine.Selection.Add(nearest[size_t(i)]);
    QImage image = WindowImage();
    TDragFrame frame;
    {
        QPainter painter(&image);
        ctx.DragVector = QPointF(1, 1);
        frame.Paint(painter, scene, ctx, kWindow, 1);
    }
    int step = 0;
    for (auto _ : state) {
        ctx.DragVector = QPointF(5 + step % 7, 3 + step % 5);
        ++step;
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        frame.Paint(painter, scene, ctx, kWindow, 1);
    }
    mine.Selection.Clear();
}

// "Порядок ветвей": the order from heights over every crossing of the mine.
void SchemaOrderFromHeights(benchmark::State& state)
{
    TMine& mine = BenchMine(int(state.range(0)));
    std::vector<TBranch*> order(mine.Branches.begin(), mine.Branches.end());
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawingOrder::FromHeights(order, {}));
}

}  // namespace

BENCHMARK(SchemaPaintFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(SchemaRepaintAt100)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(SchemaRepaintFitLinesOnly)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(SchemaRepaintAt16Everything)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(SchemaScroll100)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(SchemaBuildAndFirstPaint)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(SchemaNodeDragFrame)->Args({20000, 16})->Args({20000, 100})->Unit(benchmark::kMillisecond);
BENCHMARK(SchemaHitIndex)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(SchemaOrderFromHeights)->Arg(20000)->Unit(benchmark::kMillisecond);
