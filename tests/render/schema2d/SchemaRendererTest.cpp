#include "render/schema2d/SchemaRenderer.h"

#include "support/MineBuilder.h"
#include "core/exchange/MineGenerator.h"
#include "core/model/Layer.h"
#include "core/model/PipePart.h"
#include "core/model/TextBlock2D.h"
#include "render/schema2d/ProfileLook.h"
#include "render/schema2d/SchemaScene.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <set>

namespace {

// A picture of the scene at a scale, the view scrolled to the start, antialiasing off.
struct Picture {
    QImage Image;
    TDrawnObjects Drawn;
};

TRenderContext ContextFor(TSchemaScene& scene, double scale, QSize size = QSize(400, 300))
{
    TRenderContext ctx;
    ctx.Show.UzelNumbers = false;
    ctx.View.SetScale(scale);
    scene.RecomputeExtent(ctx.Show, ctx.Colors);
    scene.ApplyExtent(ctx.View);
    ctx.View.SetClient(size, 0);
    ctx.Area = QRectF(QPointF(0, 0), QSizeF(size));
    return ctx;
}

Picture Draw(TSchemaScene& scene, const TRenderContext& ctx)
{
    Picture picture;
    picture.Image = QImage(ctx.Area.size().toSize(), QImage::Format_RGB32);
    QPainter painter(&picture.Image);
    SchemaRenderer::Render(painter, scene, ctx, &picture.Drawn);
    return picture;
}

QColor At(const Picture& p, QPointF at) { return p.Image.pixelColor(at.toPoint()); }

int CountOf(const std::vector<TDrawnObjects::Uzel>& drawn, const TUzel* uzel)
{
    return int(std::count_if(drawn.begin(), drawn.end(), [&](const auto& d) { return d.Object == uzel; }));
}

TUzel* Placed(MineBuilder& m, int number, float sx, float sy, double z = 0)
{
    TUzel* u = m.uzel(number, sx, sy, z);
    u->SetSX(sx);
    u->SetSY(sy);
    return u;
}

const QColor kNodeFill = ProfileColor(TColors2D()[cpUzel].BackColor);
const QColor kBranchFill = ProfileColor(TColors2D()[cpBranch].BackColor);

}  // namespace

// A node shared by two branches is painted once, after both, so its fill shows above the
// bands of both; a node whose branches are all on switched-off seams is not drawn, one with
// no branch at all is.
TEST(SchemaRenderer, NodeCountdownDrawsASharedNodeOnceAboveItsBranches)
{
    MineBuilder m;
    Placed(m, 1, 0, 0);
    TUzel* shared = Placed(m, 2, 100, 0);
    Placed(m, 3, 200, 0);
    TUzel* lonely = Placed(m, 4, 100, 80);
    m.branch(1, 1, 2);
    m.branch(2, 3, 2);
    TSchemaScene scene(m.mine());
    const TRenderContext ctx = ContextFor(scene, 1);
    const Picture p = Draw(scene, ctx);

    EXPECT_EQ(CountOf(p.Drawn.Uzels, shared), 1);
    EXPECT_EQ(At(p, ctx.View.ToScreen(QPointF(100, 0))), kNodeFill);
    EXPECT_EQ(At(p, ctx.View.ToScreen(QPointF(150, 0))), kBranchFill);
    EXPECT_EQ(CountOf(p.Drawn.Uzels, lonely), 1);

    TLayer* seam = TLayer::Create(m.get());
    m.mine().Branches.Items(0)->SetLayerIndex(0);
    m.mine().Branches.Items(1)->SetLayerIndex(0);
    seam->SetVisible(false);
    scene.Rebuild();
    const Picture hidden = Draw(scene, ctx);
    EXPECT_TRUE(hidden.Drawn.Branches.empty());
    EXPECT_EQ(CountOf(hidden.Drawn.Uzels, shared), 0);
    EXPECT_EQ(CountOf(hidden.Drawn.Uzels, lonely), 1);
}

// With some seam switched off, and in the only-pipes mode, end nodes go with every branch;
// only-pipes draws no body and only the nodes on the displayed pipe.
TEST(SchemaRenderer, OnlyPipesDrawsThePipeAndTheNodesOnIt)
{
    MineBuilder m;
    Placed(m, 1, 0, 0);
    Placed(m, 2, 100, 0);
    TUzel* off = Placed(m, 3, 100, 100);
    TBranch* piped = m.firePipe(1, 1, 2);
    piped->FirePipe()->SetColor(0x0000FF);  // red
    m.branch(2, 2, 3);
    TSchemaScene scene(m.mine());
    TRenderContext ctx = ContextFor(scene, 1);
    ctx.Show.OnlyDuct = true;
    const Picture p = Draw(scene, ctx);

    EXPECT_EQ(CountOf(p.Drawn.Uzels, off), 0);
    EXPECT_EQ(CountOf(p.Drawn.Uzels, m.mine().Uzels.Items(1)), 1);
    EXPECT_EQ(At(p, ctx.View.ToScreen(QPointF(50, 0))), QColor(255, 0, 0));
    // No band: just off the pipe line lies the back of the schema.
    EXPECT_EQ(At(p, ctx.View.ToScreen(QPointF(50, 0)) + QPointF(0, 3)), ProfileColor(ctx.Colors[cpSchema].BackColor));
}

// At 15 % only branch lines are drawn and nothing else; at 16 % nodes and labels return.
TEST(SchemaRenderer, ObjectsDisappearAtFifteenPercent)
{
    MineBuilder m;
    Placed(m, 1, 0, 0);
    Placed(m, 2, 1000, 0);
    TBranch* b = m.firePipe(1, 1, 2);
    m.device(b, dkGate, 0.5, 7);
    TSchemaScene scene(m.mine());
    for (const double scale : {0.15, 0.16}) {
        TRenderContext ctx = ContextFor(scene, scale);
        ctx.Show.UzelNumbers = true;
        ctx.Show.BranchLabels = true;
        const Picture p = Draw(scene, ctx);
        const bool objects = scale > 0.15;
        EXPECT_EQ(p.Drawn.Branches.size(), 1u) << scale;
        EXPECT_EQ(p.Drawn.Uzels.size(), objects ? 2u : 0u) << scale;
        EXPECT_EQ(p.Drawn.Devices.size(), objects ? 1u : 0u) << scale;
        EXPECT_EQ(p.Drawn.Labels.size(), objects ? 3u : 0u) << scale;
    }
}

// A branch outside the clip is skipped; the same branch inside it is drawn.
TEST(SchemaRenderer, CullingSkipsWhatLiesOutsideTheClip)
{
    MineBuilder m;
    Placed(m, 1, 0, 0);
    Placed(m, 2, 50, 0);
    Placed(m, 3, 300, 200);
    Placed(m, 4, 350, 200);
    m.branch(1, 1, 2);
    m.branch(2, 3, 4);
    TSchemaScene scene(m.mine());
    TRenderContext ctx = ContextFor(scene, 1);
    ctx.Clip = QRectF(QPointF(0, 0), ctx.View.ToScreen(QPointF(120, 60)));
    const Picture p = Draw(scene, ctx);
    ASSERT_EQ(p.Drawn.Branches.size(), 1u);
    EXPECT_EQ(p.Drawn.Branches[0].Object->Number(), 1);
}

// Black and white gives black and white only, whatever the colours of seams, pipes, labels,
// devices and the back.
TEST(SchemaRenderer, BlackAndWhiteHasTwoColours)
{
    MineBuilder m;
    Placed(m, 1, 0, 0);
    Placed(m, 2, 150, 40);
    Placed(m, 3, 260, 10);
    TBranch* b = m.firePipe(1, 1, 2);
    b->FirePipe()->SetColor(0x00FF00);
    m.device(b, dkPump, 0.5, 1);
    TBranch* c = m.branch(2, 2, 3);
    c->SetRemark(QStringLiteral("Штрек"));
    TLayer::Create(m.get())->SetColor(0x0080FF);
    c->SetLayerIndex(0);
    TSchemaScene scene(m.mine());
    TRenderContext ctx = ContextFor(scene, 2);
    ctx.BlackWhite = true;
    ctx.Show.UzelNumbers = ctx.Show.BranchLabels = ctx.Show.Comments = ctx.Show.Grid = true;
    ctx.Show.ColorPaint = cmSeams;
    ctx.Show.DevInfo = diNumbers;
    const Picture p = Draw(scene, ctx);
    std::set<QRgb> colours;
    for (int y = 0; y < p.Image.height(); ++y)
        for (int x = 0; x < p.Image.width(); ++x)
            colours.insert(p.Image.pixel(x, y));
    EXPECT_EQ(colours, (std::set<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
}

// Node numbers take the drawing's own text factor: the same mine drawn at 50 % and at 300 %
// has node labels of different heights, each from its own context.
TEST(SchemaRenderer, NodeNumbersFollowTheDrawingsTextFactor)
{
    MineBuilder m;
    Placed(m, 1, 0, 0);
    Placed(m, 2, 60, 0);
    m.branch(1, 1, 2);
    TSchemaScene scene(m.mine());
    auto labelHeight = [&](double scale) {
        TRenderContext ctx = ContextFor(scene, scale, QSize(600, 300));
        ctx.Show.UzelNumbers = true;
        const Picture p = Draw(scene, ctx);
        EXPECT_FALSE(p.Drawn.Labels.empty());
        return p.Drawn.Labels.empty() ? 0.0 : p.Drawn.Labels.front().Box.height();
    };
    const double small = labelHeight(0.5);
    const double large = labelHeight(3);
    EXPECT_GT(large, small * 1.5);  // text factors 0.8 and 1.5
}

// Results from a hand-built list: a section without flow shows "dP" and "dZ" but no "Q";
// with the pipe type off nothing of the pipe is drawn.
TEST(SchemaRenderer, ResultLabelsAndWaterArrowsComeFromTheResultList)
{
    MineBuilder m;
    Placed(m, 1, 0, 0, 10);
    Placed(m, 2, 200, 0, 0);
    TBranch* b = m.firePipe(1, 1, 2);
    m.device(b, dkGate, 0.5, 3);
    auto* first = static_cast<TWaterPipePart*>(b->FirePipe()->GetSection(0));
    auto* second = static_cast<TWaterPipePart*>(b->FirePipe()->GetSection(1));
    THydroResults results;
    results.AddSection(b, first, {12.5, 0, 0, 10, 8});
    results.AddSection(b, second, {0, 0, 0, 8, 7});

    TSchemaScene scene(m.mine());
    TRenderContext ctx = ContextFor(scene, 1, QSize(500, 300));
    ctx.Results = &results;
    ctx.Show.ResultBits = rbQ | rbDP;
    ctx.Show.WaterArrows = true;
    const Picture p = Draw(scene, ctx);
    int sections = 0;
    for (const auto& label : p.Drawn.Labels)
        sections += label.Kind == TDrawnObjects::LabelKind::SectionResult;
    EXPECT_EQ(sections, 2);
    // The arrow of the flowing section, in the water-arrow colour, at its midpoint.
    const QColor arrow = ProfileColor(ctx.Colors[cpWaterArrow].BackColor);
    const QPointF mid = ctx.View.ToScreen(QPointF(50, 0));
    bool found = false;
    for (int dx = -8; dx <= 8 && !found; ++dx)
        for (int dy = -3; dy <= 3 && !found; ++dy)
            found = At(p, mid + QPointF(dx, dy)) == arrow;
    EXPECT_TRUE(found);

    ctx.Show.PipeIndex = -1;
    const Picture none = Draw(scene, ctx);
    EXPECT_TRUE(none.Drawn.Devices.empty());
    for (const auto& label : none.Drawn.Labels)
        EXPECT_NE(label.Kind, TDrawnObjects::LabelKind::SectionResult);
    EXPECT_EQ(none.Drawn.Branches.size(), 1u);
}

// Text blocks are part of the plan: the extent holds them with the nodes (a single node
// included), so fitting and scrolling never cut one off.
TEST(SchemaScene, ExtentHoldsTheTextBlocks)
{
    MineBuilder m;
    Placed(m, 1, 50, 40);
    TTextBlock2D::Create(&m.mine().TextBlocks, -100, -50, QStringLiteral("Надпись"));
    TSchemaScene scene(m.mine());
    TDisplaySwitches show;
    scene.RecomputeExtent(show, TColors2D());
    EXPECT_EQ(scene.Extent().left(), -100);
    EXPECT_EQ(scene.Extent().top(), -50);
    EXPECT_EQ(scene.Extent().bottomRight(), QPointF(50, 40));
    show.TextBlocks = false;
    scene.RecomputeExtent(show, TColors2D());
    EXPECT_EQ(scene.Extent(), QRectF(50, 40, 0, 0));
}

// Culling never cuts a drawing short: a strip drawn on its own (as scrolling draws the part
// that came into view) is the same as that strip of a whole drawing, with every label,
// comment, device text, result label and arrow on (water arrows were once culled by their
// centre alone and torn at the strip's edge).
TEST(SchemaRenderer, AStripDrawnAloneMatchesTheWholeDrawing)
{
    auto mine = MineGenerator::Generate(400, 7);
    THydroResults results;
    int flowing = 0;
    for (TBranch* b : mine->Branches) {
        b->SetShowResult(true);
        TPipe* pipe = b->FirePipe();
        if (!pipe)
            continue;
        for (int i = 0; i < pipe->SectionCount(); ++i)
            if (auto* section = dynamic_cast<TWaterPipePart*>(pipe->GetSection(i))) {
                // Both directions, so arrows point either way.
                results.AddSection(b, section, {double((flowing++ % 2 ? 1 : -1) * (5 + i)), 0, 0, 30, 28});
            }
    }
    ASSERT_GT(flowing, 50);
    TSchemaScene scene(*mine);
    TRenderContext ctx;
    ctx.Show.BranchLabels = ctx.Show.Comments = ctx.Show.BranchArrows = ctx.Show.AirArrows = true;
    ctx.Show.WaterArrows = true;
    ctx.Show.ResultBits = rbQ | rbDP;
    ctx.Results = &results;
    ctx.Show.DevInfo = diParameters;
    ctx.View.SetScale(0.6);
    scene.RecomputeExtent(ctx.Show, ctx.Colors);
    scene.ApplyExtent(ctx.View);
    const QSize size(900, 700);
    ctx.View.SetClient(size, 0);
    ctx.View.SetScrollPosition(QPoint(int(ctx.View.TotalWidth() / 3), int(ctx.View.TotalHeight() / 3)));
    ctx.Area = QRectF(QPointF(0, 0), QSizeF(size));

    QImage whole(size, QImage::Format_RGB32);
    {
        QPainter painter(&whole);
        SchemaRenderer::Render(painter, scene, ctx);
    }
    for (const QRect strip : {QRect(0, 300, 900, 37), QRect(451, 0, 23, 700)}) {
        QImage part = whole.copy();
        QPainter painter(&part);
        painter.fillRect(strip, Qt::black);
        TRenderContext stripCtx = ctx;
        stripCtx.Clip = QRectF(strip);
        SchemaRenderer::Render(painter, scene, stripCtx);
        painter.end();
        int differing = 0;
        for (int y = strip.top(); y <= strip.bottom(); ++y)
            for (int x = strip.left(); x <= strip.right(); ++x)
                differing += part.pixel(x, y) != whole.pixel(x, y);
        // A clipped line may start a pixel apart; a label or text cut short is dozens.
        EXPECT_LE(differing, 8) << strip.x() << "," << strip.y();
    }
}

// A node drag draws in two layers: the kept picture holds the branches that stay and none
// that move, each frame adds only the branches at a selected node, displaced; a node shared
// with a fixed branch stays in the kept picture and is drawn again above the moving line.
TEST(SchemaRenderer, DragLayersSplitWhatMovesFromWhatStays)
{
    MineBuilder m;
    Placed(m, 1, 0, 0);
    Placed(m, 2, 100, 0);
    TUzel* moved = Placed(m, 3, 100, 100);
    m.branch(1, 1, 2);
    m.branch(2, 2, 3);
    m.mine().Selection.Add(moved);
    TSchemaScene scene(m.mine());
    TRenderContext ctx = ContextFor(scene, 1);
    ctx.DragVector = QPointF(40, 0);
    const QPointF fixedMid = ctx.View.ToScreen(QPointF(50, 0));
    const QPointF oldMid = ctx.View.ToScreen(QPointF(100, 50));
    const QPointF newEnd = ctx.View.ToScreen(QPointF(100, 100)) + ctx.DragVector;
    const QPointF shared = ctx.View.ToScreen(QPointF(100, 0));

    TRenderContext fixed = ctx;
    fixed.DragLayer = TRenderContext::TDragLayer::Fixed;
    const Picture kept = Draw(scene, fixed);
    EXPECT_EQ(At(kept, fixedMid), kBranchFill);
    EXPECT_NE(At(kept, oldMid), kBranchFill);
    EXPECT_EQ(At(kept, shared), kNodeFill);
    EXPECT_NE(At(kept, newEnd), kNodeFill);

    TRenderContext moving = ctx;
    moving.DragLayer = TRenderContext::TDragLayer::Moving;
    QImage frame(ctx.Area.size().toSize(), QImage::Format_ARGB32);
    frame.fill(Qt::transparent);
    TDrawnObjects drawn;
    {
        QPainter painter(&frame);
        SchemaRenderer::RenderNetwork(painter, scene, moving, &drawn);
    }
    EXPECT_EQ(frame.pixelColor(fixedMid.toPoint()).alpha(), 0);
    EXPECT_EQ(frame.pixelColor(newEnd.toPoint()), kNodeFill);
    EXPECT_EQ(frame.pixelColor(shared.toPoint()), kNodeFill);
    ASSERT_EQ(drawn.Branches.size(), 1u);
    EXPECT_EQ(drawn.Branches[0].Object->Number(), 2);
}
