#include "render/schema2d/DragFrame.h"

#include "render/schema2d/SchemaRenderer.h"

#include <QPainter>

void TDragFrame::Paint(QPainter& painter, const TSchemaScene& scene, const TRenderContext& context, QSize pixels,
                       qreal ratio)
{
    if (fixed_.size() != pixels || fixed_.devicePixelRatio() != ratio) {
        fixed_ = QImage(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        fixed_.setDevicePixelRatio(ratio);
        TRenderContext fixed = context;
        fixed.DragLayer = TRenderContext::TDragLayer::Fixed;
        fixed.Clip = QRectF();
        QPainter p(&fixed_);
        SchemaRenderer::Render(p, scene, fixed);
    }
    painter.drawImage(QPointF(0, 0), fixed_);
    TRenderContext moving = context;
    moving.DragLayer = TRenderContext::TDragLayer::Moving;
    moving.Clip = QRectF();
    SchemaRenderer::RenderNetwork(painter, scene, moving);
}
