#include "render/schema2d/SchemaRenderer.h"

#include "support/MineBuilder.h"
#include "core/model/PipePart.h"
#include "render/schema2d/ProfileLook.h"
#include "render/schema2d/SchemaScene.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>

// Which way an arrow points, read from the picture alone: its head is wide and its tail a
// thin line, so the pixels of the arrow's colour off the axis lie on the tip's side of the
// centre. Shapes are checked on a diagonal branch, where a mirrored angle shows too.
namespace {

TUzel* Placed(MineBuilder& m, int number, float sx, float sy)
{
    TUzel* u = m.uzel(number, sx, sy, 0);
    u->SetSX(sx);
    u->SetSY(sy);
    return u;
}

TRenderContext Context(TSchemaScene& scene)
{
    TRenderContext ctx;
    ctx.Show.UzelNumbers = false;
    ctx.View.SetScale(1.5);
    scene.RecomputeExtent(ctx.Show, ctx.Colors);
    scene.ApplyExtent(ctx.View);
    const QSize size(400, 400);
    ctx.View.SetClient(size, 0);
    ctx.Area = QRectF(QPointF(0, 0), QSizeF(size));
    return ctx;
}

QImage Draw(TSchemaScene& scene, const TRenderContext& ctx)
{
    QImage image(ctx.Area.size().toSize(), QImage::Format_RGB32);
    QPainter painter(&image);
    SchemaRenderer::Render(painter, scene, ctx);
    return image;
}

// Pixels of a colour within an arrow's reach of the centre, off the axis by at least
// `offAxis` pixels: how many lie ahead of the centre along the direction and how many behind.
struct Sides {
    int Ahead = 0;
    int Behind = 0;
};

Sides ColourAround(const QImage& image, QPointF centre, QPointF along, const QColor& colour, double offAxis)
{
    const QPointF dir = along / std::hypot(along.x(), along.y());
    Sides s;
    const int reach = 25;
    for (int y = int(centre.y()) - reach; y <= int(centre.y()) + reach; ++y)
        for (int x = int(centre.x()) - reach; x <= int(centre.x()) + reach; ++x) {
            if (!image.rect().contains(x, y) || image.pixelColor(x, y) != colour)
                continue;
            const QPointF d = QPointF(x + 0.5, y + 0.5) - centre;
            const double forward = d.x() * dir.x() + d.y() * dir.y();
            const double across = std::abs(d.x() * dir.y() - d.y() * dir.x());
            if (across < offAxis || std::abs(forward) < 1)
                continue;
            (forward > 0 ? s.Ahead : s.Behind) += 1;
        }
    return s;
}

// One diagonal branch 1 → 2, running right and down on the screen.
struct DirectionArrows : ::testing::Test {
    MineBuilder m;
    TBranch* branch = nullptr;
    void SetUp() override
    {
        Placed(m, 1, 0, 0);
        Placed(m, 2, 120, 90);
        branch = m.firePipe(1, 1, 2);
    }
    // From the start node to the end node, in screen pixels, and the branch's midpoint.
    static QPointF StartToEnd(const TRenderContext& ctx) { return ctx.View.ToScreen({120, 90}) - ctx.View.ToScreen({0, 0}); }
    static QPointF Mid(const TRenderContext& ctx) { return (ctx.View.ToScreen({0, 0}) + ctx.View.ToScreen({120, 90})) / 2; }
};

}  // namespace

// The air arrow points the way the air flows: towards the end node for a positive flow,
// towards the start node for a negative one; off, or without air flow, there is none.
TEST_F(DirectionArrows, AirArrowFollowsTheSignOfTheAirFlow)
{
    const QColor blue(0, 0, 255);
    TSchemaScene scene(m.mine());
    TRenderContext ctx = Context(scene);
    const QPointF along = StartToEnd(ctx);
    ASSERT_GT(along.x(), 0);
    ASSERT_GT(along.y(), 0);

    branch->SetAirQ(35);
    Sides off = ColourAround(Draw(scene, ctx), Mid(ctx), along, blue, 0);
    EXPECT_EQ(off.Ahead + off.Behind, 0) << "the switch is off";

    ctx.Show.AirArrows = true;
    const Sides forward = ColourAround(Draw(scene, ctx), Mid(ctx), along, blue, 2);
    EXPECT_GT(forward.Ahead, 5);
    EXPECT_EQ(forward.Behind, 0);

    branch->SetAirQ(-35);
    const Sides backward = ColourAround(Draw(scene, ctx), Mid(ctx), along, blue, 2);
    EXPECT_EQ(backward.Ahead, 0);
    EXPECT_GT(backward.Behind, 5);

    branch->SetAirQ(0);
    off = ColourAround(Draw(scene, ctx), Mid(ctx), along, blue, 0);
    EXPECT_EQ(off.Ahead + off.Behind, 0) << "no air flow, no arrow";
}

// The branch-direction arrow always points from the start node to the end node.
TEST_F(DirectionArrows, BranchArrowPointsFromStartToEnd)
{
    const QColor grey(128, 128, 128);
    TSchemaScene scene(m.mine());
    TRenderContext ctx = Context(scene);
    ctx.Show.BranchArrows = true;
    const Sides s = ColourAround(Draw(scene, ctx), Mid(ctx), StartToEnd(ctx), grey, 2);
    EXPECT_GT(s.Ahead, 5);
    EXPECT_EQ(s.Behind, 0);
}

// A water arrow points along its section for a flow of 0 or more and against it for a
// negative flow; its fill is inside the head only, so the fill alone tells the side.
TEST_F(DirectionArrows, WaterArrowFollowsTheSignOfTheSectionFlow)
{
    auto* section = static_cast<TWaterPipePart*>(branch->FirePipe()->GetSection(0));
    THydroResults results;
    for (int i = 0; i < branch->FirePipe()->SectionCount(); ++i)
        results.AddSection(branch, static_cast<TWaterPipePart*>(branch->FirePipe()->GetSection(i)), {});
    TSectionResult& values = results.Sections[static_cast<size_t>(results.RowOf(section))].Values;
    TSchemaScene scene(m.mine());
    TRenderContext ctx = Context(scene);
    ctx.Results = &results;
    ctx.Show.WaterArrows = true;
    const QColor fill = ProfileColor(ctx.Colors[cpWaterArrow].BackColor);
    const QPointF along = StartToEnd(ctx);

    values.Q = 12.5;
    const Sides forward = ColourAround(Draw(scene, ctx), Mid(ctx), along, fill, 0);
    EXPECT_GT(forward.Ahead, 3);
    EXPECT_EQ(forward.Behind, 0);

    values.Q = -12.5;
    const Sides backward = ColourAround(Draw(scene, ctx), Mid(ctx), along, fill, 0);
    EXPECT_EQ(backward.Ahead, 0);
    EXPECT_GT(backward.Behind, 3);
}
