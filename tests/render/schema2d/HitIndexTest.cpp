#include "render/schema2d/HitIndex.h"

#include "support/MineBuilder.h"
#include "core/exchange/MineGenerator.h"
#include "render/export/SchemaPicture.h"
#include "render/print/SchemaSheets.h"
#include "render/schema2d/SchemaRenderer.h"
#include "render/schema2d/SchemaScene.h"

#include <QImage>
#include <QPainter>
#include <QPicture>
#include <gtest/gtest.h>

namespace {

TUzel* Placed(MineBuilder& m, int number, float sx, float sy, double z = 0)
{
    TUzel* u = m.uzel(number, sx, sy, z);
    u->SetSX(sx);
    u->SetSY(sy);
    return u;
}

// A view of the scene drawn once (labels measure themselves while drawn), and its index.
struct View {
    TRenderContext Ctx;
    TDrawnObjects Drawn;
    THitIndex Index;

    View(TSchemaScene& scene, double scale, bool editor, QSize size = QSize(800, 500))
    {
        Ctx.Show.BranchLabels = true;
        Ctx.View.SetScale(scale);
        scene.RecomputeExtent(Ctx.Show, Ctx.Colors);
        scene.ApplyExtent(Ctx.View);
        Ctx.View.SetClient(size, 0);
        Ctx.Area = QRectF(QPointF(0, 0), QSizeF(size));
        QImage image(size, QImage::Format_RGB32);
        QPainter painter(&image);
        SchemaRenderer::Render(painter, scene, Ctx, &Drawn);
        Index.Build(scene, Ctx, editor);
    }
    QPointF At(const TUzel* u) const { return Ctx.View.ToScreen(QPointF(u->SX(), u->SY())); }
};

}  // namespace

// The drawing's order decides: a node above its branches, a device above its branch's line,
// the topmost branch first, ends at one place give only the higher node, labels only in the
// editor mode, and at 15 % only branches.
TEST(HitIndex, AnswersInTheDrawingsOrder)
{
    MineBuilder m;
    Placed(m, 1, 0, 0);
    TUzel* shared = Placed(m, 2, 200, 0);
    Placed(m, 3, 200, 150);
    Placed(m, 4, 400, 0, 5);
    TUzel* high = Placed(m, 5, 401, 1, 10);
    TBranch* first = m.firePipe(1, 1, 2);
    TBranch* second = m.firePipe(2, 2, 3);
    m.branch(3, 2, 4);
    TBranch* stub = m.branch(4, 4, 5);
    TDevice* gate = m.device(first, dkGate, 0.25, 7);
    TSchemaScene scene(m.mine());

    View view(scene, 1, false);
    const THit atShared = view.Index.At(view.At(shared));
    EXPECT_EQ(atShared.What, THit::Kind::Uzel);
    EXPECT_EQ(atShared.Object, shared);
    EXPECT_EQ(atShared.Branch, m.mine().Branches.Items(2));  // the topmost branch at node 2
    const QPointF onGate = view.Ctx.View.ToScreen(QPointF(50, 0));
    EXPECT_EQ(view.Index.At(onGate).Object, gate);
    const QPointF onLine = view.Ctx.View.ToScreen(QPointF(200, 100));
    EXPECT_EQ(view.Index.At(onLine).Object, second);
    EXPECT_FALSE(view.Index.At(onLine + QPointF(12, 0)));
    EXPECT_EQ(view.Index.At(view.At(high) - QPointF(1, 1)).Object, high);
    EXPECT_EQ(view.Index.At(view.At(high) - QPointF(1, 1)).Branch, stub);

    // The number label of node 3 is hit only where labels can be dragged.
    const TDrawnObjects::Label* label = nullptr;
    for (const auto& l : view.Drawn.Labels)
        if (l.Kind == TDrawnObjects::LabelKind::UzelNumber && l.Owner == m.mine().Uzels.Items(2))
            label = &l;
    ASSERT_NE(label, nullptr);
    EXPECT_NE(view.Index.At(label->Box.center()).What, THit::Kind::UzelNumber);
    View editor(scene, 1, true);
    EXPECT_EQ(editor.Index.At(label->Box.center()).What, THit::Kind::UzelNumber);

    View small(scene, 0.15, true);
    EXPECT_EQ(small.Index.At(small.At(shared)).What, THit::Kind::Branch);
}

// On a generated mine every node and device drawn is found at its own place: mostly as
// itself, else as what the drawing's order puts first there (a device on the node, a device
// of the same branch, a branch drawn later over it) — never nothing.
TEST(HitIndex, FindsEveryDrawnObjectAtItsPlace)
{
    auto mine = MineGenerator::Generate(600, 3);
    TSchemaScene scene(*mine);
    View view(scene, 0.5, false, QSize(6000, 4000));
    ASSERT_GT(view.Drawn.Uzels.size(), 300u);
    int itself = 0;
    for (const auto& u : view.Drawn.Uzels) {
        const THit hit = view.Index.At(u.At);
        EXPECT_TRUE(hit) << u.Object->Number();
        itself += hit.Object == u.Object;
    }
    EXPECT_GT(itself, int(view.Drawn.Uzels.size()) * 3 / 4);
    itself = 0;
    for (const auto& d : view.Drawn.Devices) {
        const THit hit = view.Index.At(d.At);
        EXPECT_TRUE(hit) << d.Object->Number();
        itself += hit.Object == d.Object;
    }
    EXPECT_GT(itself, int(view.Drawn.Devices.size()) * 3 / 4);
}

// A label is hit where the screen drew it, whatever other drawings of the same mine measured:
// a sheet printed at 600 dpi and a picture exported at 400 % draw the labels larger, and the
// window's hit areas stay those of the screen.
TEST(HitIndex, LabelsStayWhereTheScreenDrewThemAfterPrintingAndExporting)
{
    MineBuilder m;
    Placed(m, 1, 0, 0);
    TUzel* labelled = Placed(m, 2, 200, 0);
    m.firePipe(1, 1, 2);
    m.mine().Uzels.Items(0)->SetNumber(12345);
    labelled->SetNumber(98765);
    TSchemaScene scene(m.mine());

    View screen(scene, 1, true);
    const TDrawnObjects::Label* drawn = nullptr;
    for (const auto& l : screen.Drawn.Labels)
        if (l.Kind == TDrawnObjects::LabelKind::UzelNumber && l.Owner == labelled)
            drawn = &l;
    ASSERT_NE(drawn, nullptr);
    const QRectF box = drawn->Box;
    const QPointF inside(box.right() - 1, box.center().y());
    const QPointF outside(box.right() + 4, box.center().y());
    const auto hitsLabel = [&](const THit& hit) { return hit.What == THit::Kind::UzelNumber && hit.Object == labelled; };
    ASSERT_TRUE(hitsLabel(screen.Index.At(inside)));
    ASSERT_FALSE(hitsLabel(screen.Index.At(outside)));

    // A sheet at 600 dpi, recorded rather than rasterised (no 140 MB page).
    TSheetJob job;
    job.Layout.Scale = 1;
    TSchemaDrawing drawing;
    drawing.Show = screen.Ctx.Show;
    QPicture page;
    {
        QPainter painter(&page);
        TSheetPainter(scene, drawing, job, TPaperUnits::ForDpi(600, 600)).PaintSheet(painter, 0, 0);
    }
    TSchemaPictureRequest request;
    request.Drawing = drawing;
    request.Scale = 4;
    const TSchemaPicture picture = SchemaPicture::Render(scene, request);
    bool larger = false;
    for (const auto& l : picture.Drawn.Labels)
        larger = larger || (l.Owner == labelled && l.Box.width() > box.width() * 1.3);
    ASSERT_TRUE(larger) << "the picture's labels are drawn larger";

    // The window builds its index again (a scroll, an edit): the same hit areas.
    screen.Index.Build(scene, screen.Ctx, true);
    EXPECT_TRUE(hitsLabel(screen.Index.At(inside)));
    EXPECT_FALSE(hitsLabel(screen.Index.At(outside)));
}
