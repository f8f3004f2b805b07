// Speed of the 3D topology schema on a generated mine of 20 000 branches, drawn into a
// 1920 × 1080 framebuffer with a 24-bit depth buffer on whatever OpenGL the display offers
// (run under xvfb-run for Mesa's software renderer). Targets: a thin frame 40 ms, a solid
// frame 150 ms, a pick 300 ms. Each frame ends with glFinish, so the time is the drawing's.

#include "bench/BenchMines.h"
#include "render/topology3d/TopologyScene.h"
#include "render/topology3d/TopologyView.h"
#include "ui/topology3d/TopologyGl.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>

#include <GL/gl.h>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr QSize kFrame(1920, 1080);

struct GlTarget {
    QOffscreenSurface surface;
    QOpenGLContext context;
    std::unique_ptr<QOpenGLFramebufferObject> fbo;
    bool Ready = false;
    GlTarget()
    {
        QSurfaceFormat format;
        format.setProfile(QSurfaceFormat::CompatibilityProfile);
        format.setVersion(2, 1);
        format.setDepthBufferSize(24);
        surface.setFormat(format);
        surface.create();
        context.setFormat(format);
        if (!context.create() || !context.makeCurrent(&surface))
            return;
        fbo = std::make_unique<QOpenGLFramebufferObject>(kFrame, QOpenGLFramebufferObject::Depth);
        Ready = fbo->bind();
    }
};

// Made on first use, freed before the application ends (a context outliving it crashes).
std::unique_ptr<GlTarget>& TargetSlot()
{
    static std::unique_ptr<GlTarget> target;
    return target;
}

GlTarget& Target()
{
    if (!TargetSlot())
        TargetSlot() = std::make_unique<GlTarget>();
    return *TargetSlot();
}

struct Prepared {
    TTopologyScene Scene;
    TTopologyView View;
    TModelBox Box;
};

Prepared Prepare(int branches, double alpha, double beta)
{
    Prepared p;
    const TMine& mine = BenchMine(branches);
    p.Scene = TTopologyScene::Build(mine, TTopologySwitches());
    p.Box = TModelBox::Of(mine);
    p.View.Set({}, alpha, beta, 1);
    p.View.Set({}, alpha, beta, p.View.FitZoom(kFrame, p.Box));
    return p;
}

void Frame(benchmark::State& state, bool solid)
{
    GlTarget& gl = Target();
    if (!gl.Ready) {
        state.SkipWithError("no OpenGL context (run under xvfb-run)");
        return;
    }
    const Prepared p = Prepare(int(state.range(0)), 30, 30);
    TopologyGl::TSolidLists lists;
    glViewport(0, 0, kFrame.width(), kFrame.height());
    glEnable(GL_DEPTH_TEST);
    // The first frame compiles the display list of a new scene: it is not timed.
    TopologyGl::Draw(p.Scene, solid, lists);
    glFinish();
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(p.View.Matrix(kFrame, p.Box).constData());
        TopologyGl::Draw(p.Scene, solid, lists);
        glFinish();
    }
    lists.Forget();
    state.counters["nodes"] = double(p.Scene.Nodes.size());
}

void TopologyThinFrame(benchmark::State& state) { Frame(state, false); }
void TopologySolidFrame(benchmark::State& state) { Frame(state, true); }

// A pick at the middle of the frame, in the plane XY.
void TopologyPick(benchmark::State& state)
{
    GlTarget& gl = Target();
    if (!gl.Ready) {
        state.SkipWithError("no OpenGL context (run under xvfb-run)");
        return;
    }
    const Prepared p = Prepare(int(state.range(0)), 90, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            TopologyGl::Pick(p.Scene, p.View.Matrix(kFrame, p.Box), QPointF(960, 540), kFrame, 1));
}

}  // namespace

BENCHMARK(TopologyThinFrame)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(TopologySolidFrame)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(TopologyPick)->Arg(20000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    TargetSlot().reset();
    return 0;
}
