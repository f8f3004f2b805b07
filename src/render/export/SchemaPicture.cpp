#include "render/export/SchemaPicture.h"

#include "core/model/Errors.h"
#include "render/schema2d/SchemaRenderer.h"
#include "render/schema2d/SchemaScene.h"

#include <QPainter>

#include <cmath>

namespace SchemaPicture {

TViewGeometry View(TSchemaScene& scene, const TSchemaPictureRequest& request)
{
    TViewGeometry view;
    view.SetMapScale(request.MapScale);
    view.SetOrigin(request.Origin);
    view.SetLimits(request.Limits);
    scene.RecomputeExtent(request.Show, request.Colors);
    scene.ApplyExtent(view);
    if (request.Fit) {
        // A picture has no scroll bars.
        view.SetClient(*request.Fit, 0);
        view.FitWhole();
    } else {
        view.SetScale(request.Scale);
        const double w = std::ceil(view.TotalWidth());
        const double h = std::ceil(view.TotalHeight());
        if (std::isfinite(w) && std::isfinite(h) && w <= kMaxPictureSide && h <= kMaxPictureSide)
            view.SetClient(QSize(std::max(1, int(w)), std::max(1, int(h))), 0);
    }
    view.SetScrollPosition(QPoint());
    return view;
}

std::optional<QSize> Size(const TViewGeometry& view, const TSchemaPictureRequest& request)
{
    double w = 0;
    double h = 0;
    if (request.Fit) {
        w = request.Fit->width();
        h = request.Fit->height();
    } else {
        w = std::max(1.0, std::ceil(view.TotalWidth()));
        h = std::max(1.0, std::ceil(view.TotalHeight()));
    }
    if (!std::isfinite(w) || !std::isfinite(h) || w < 1 || h < 1 || w > kMaxPictureSide || h > kMaxPictureSide ||
        w * h > double(kMaxPicturePixels))
        return std::nullopt;
    return QSize(int(w), int(h));
}

TSchemaPicture Render(TSchemaScene& scene, const TSchemaPictureRequest& request)
{
    const TViewGeometry view = View(scene, request);
    const std::optional<QSize> size = Size(view, request);
    if (!size) {
        const auto side = [](double v) { return std::isfinite(v) ? QString::number(std::ceil(v), 'f', 0) : QStringLiteral("∞"); };
        const double w = request.Fit ? request.Fit->width() : view.TotalWidth();
        const double h = request.Fit ? request.Fit->height() : view.TotalHeight();
        throw Exception(QStringLiteral("Рисунок размером %1×%2 точек слишком велик").arg(side(w), side(h)));
    }

    TRenderContext ctx;
    ctx.View = view;
    ctx.Show = request.Show;
    ctx.Colors = request.Colors;
    ctx.GridStepMetres = request.GridStepMetres;
    ctx.BlackWhite = request.BlackWhite;
    ctx.Dpi = TViewGeometry::kScreenDpi;
    ctx.Area = QRectF(QPointF(0, 0), QSizeF(*size));

    TSchemaPicture picture;
    picture.Scale = view.Scale();
    QImage image(*size, QImage::Format_RGB32);
    if (image.isNull())
        throw Exception(QStringLiteral("Рисунок размером %1×%2 точек слишком велик").arg(size->width()).arg(size->height()));
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        // Black and white has no grey edges: two colours, one bit a pixel.
        const bool smooth = request.Antialiasing && !request.BlackWhite;
        painter.setRenderHint(QPainter::Antialiasing, smooth);
        painter.setRenderHint(QPainter::TextAntialiasing, smooth);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
        SchemaRenderer::Render(painter, scene, ctx, &picture.Drawn);
    }
    picture.Image = request.BlackWhite
                        ? image.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::ThresholdDither)
                        : std::move(image);
    return picture;
}

}  // namespace SchemaPicture
