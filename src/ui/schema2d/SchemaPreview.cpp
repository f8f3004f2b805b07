#include "ui/schema2d/SchemaPreview.h"

#include "core/model/Mine.h"
#include "render/schema2d/PreviewNetwork.h"
#include "render/schema2d/ProfileLook.h"
#include "render/schema2d/SchemaRenderer.h"
#include "render/schema2d/SchemaScene.h"

#include <qdrawutil.h>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

// The drawing of the moment: the context and how far the painter moves so that everything
// drawn sits in the middle of the widget.
struct TSchemaPreview::Layout {
    TRenderContext Context;
    QPointF Shift;
};

TSchemaPreview::TSchemaPreview(std::unique_ptr<TMine> mine, QWidget* parent)
    : QWidget(parent), mine_(std::move(mine)), scene_(std::make_unique<TSchemaScene>(*mine_))
{
    scene_->Rebuild();
    setObjectName(QStringLiteral("SchemaPreview"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

TSchemaPreview::~TSchemaPreview() = default;

void TSchemaPreview::SetColors(const TColors2D& colors)
{
    colors_ = colors;
    update();
}

TSchemaPreview::Layout TSchemaPreview::Place() const
{
    Layout layout{PreviewNetwork::Context(colors_, size()), {}};
    TViewGeometry& view = layout.Context.View;
    scene_->RecomputeExtent(layout.Context.Show, colors_);
    scene_->ApplyExtent(view);
    view.SetClient(size(), 0);
    layout.Shift = QPointF(std::round((width() - view.TotalWidth()) / 2), std::round((height() - view.TotalHeight()) / 2));
    layout.Context.Area = QRectF(-layout.Shift, QSizeF(size()));
    return layout;
}

QPointF TSchemaPreview::WidgetPoint(QPointF schema) const
{
    const Layout layout = Place();
    return layout.Context.View.ToScreen(schema) + layout.Shift;
}

void TSchemaPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), ProfileColor(colors_[cpSchema].BackColor));
    const Layout layout = Place();
    painter.save();
    painter.translate(layout.Shift);
    drawn_.Clear();
    SchemaRenderer::RenderNetwork(painter, *scene_, layout.Context, &drawn_);
    painter.restore();
    qDrawShadePanel(&painter, rect(), palette(), true, 1);
}

void TSchemaPreview::ClickAt(QPointF point)
{
    // Drawn anew on a scratch picture: the last paint may be older than the colours, or the
    // widget never shown.
    const Layout layout = Place();
    QImage scratch(size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&scratch);
        painter.translate(layout.Shift);
        drawn_.Clear();
        SchemaRenderer::RenderNetwork(painter, *scene_, layout.Context, &drawn_);
    }
    TMineObject* picked = PreviewNetwork::PickAt(drawn_, point - layout.Shift);
    mine_->Selection.Clear();
    if (picked)
        mine_->Selection.Add(picked);
    update();
    emit SelectionChanged();
}

void TSchemaPreview::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        ClickAt(event->position());
    QWidget::mousePressEvent(event);
}

QSize TSchemaPreview::sizeHint() const { return QSize(300, 110); }

QSize TSchemaPreview::minimumSizeHint() const { return QSize(270, 95); }
