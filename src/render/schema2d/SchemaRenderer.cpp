#include "render/schema2d/SchemaRenderer.h"

#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "render/schema2d/ProfileLook.h"
#include "render/schema2d/SchemaScene.h"

#include <QPainter>

// A first cut: branch lines and node circles only.
namespace SchemaRenderer {

void RenderNetwork(QPainter& painter, TSchemaScene& scene, const TRenderContext& ctx, TDrawnObjects* out)
{
    const TViewGeometry& v = ctx.View;
    painter.setPen(QPen(Qt::black, 1));
    for (TBranch* b : scene.VisibleBranches()) {
        const QPointF a = v.ToScreen(QPointF(b->StartUzel()->SX(), b->StartUzel()->SY()));
        const QPointF e = v.ToScreen(QPointF(b->EndUzel()->SX(), b->EndUzel()->SY()));
        painter.drawLine(a, e);
        if (out)
            out->Branches.push_back({b, a, e});
    }
    for (int i = 0; i < scene.Mine().Uzels.Count(); ++i) {
        TUzel* u = scene.Mine().Uzels.Items(i);
        const QPointF p = v.ToScreen(QPointF(u->SX(), u->SY()));
        painter.drawEllipse(p, 3, 3);
        if (out)
            out->Uzels.push_back({u, p});
    }
}

void Render(QPainter& painter, TSchemaScene& scene, const TRenderContext& ctx, TDrawnObjects* out)
{
    if (ctx.View.Scale() <= 0)
        return;
    painter.fillRect(ctx.Area, ProfileColor(ctx.Colors[cpSchema].BackColor));
    RenderNetwork(painter, scene, ctx, out);
}

}  // namespace SchemaRenderer
