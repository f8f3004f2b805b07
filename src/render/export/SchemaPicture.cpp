#include "render/export/SchemaPicture.h"

#include "core/model/Errors.h"
#include "render/schema2d/SchemaRenderer.h"
#include "render/schema2d/SchemaScene.h"

#include <QPainter>

#include <cmath>

namespace SchemaPicture {

namespace {

// The visible part's size in the picture, rounded; none when a side is out of bounds.
std::optional<QSize> VisibleSize(const TSchemaPictureRequest& request)
{
    const double w = std::round(request.Visible->Size.width() * request.Scale);
    const double h = std::round(request.Visible->Size.height() * request.Scale);
    if (!std::isfinite(w) || !std::isfinite(h) || w < 1 || h < 1 || w > kMaxPictureSide || h > kMaxPictureSide)
        return std::nullopt;
    return QSize(int(w), int(h));
}

}  // namespace

TViewGeometry View(TSchemaScene& scene, const TSchemaPictureRequest& request)
{
    TViewGeometry view = request.Drawing.Frame(scene);
    if (request.Fit) {
        // A picture has no scroll bars.
        view.SetClient(*request.Fit, 0);
        view.FitWhole();
    } else if (request.Visible) {
        // The part is magnified past the screen's zoom range when asked: the picture is not a screen.
        view.SetPrinting(true, TViewGeometry::kScreenDpi);
        view.SetScale(request.Visible->ViewScale * request.Scale);
        if (const std::optional<QSize> size = VisibleSize(request))
            view.SetClient(*size, 0);
        const QPointF scroll = QPointF(request.Visible->Scroll) * request.Scale;
        view.SetScrollPosition(QPoint(int(std::lround(scroll.x())), int(std::lround(scroll.y()))));
        return view;
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

std::optional<QSize> Size(const TViewGeometry& view, const TSchemaPictureRequest& request, bool banded)
{
    double w = 0;
    double h = 0;
    if (request.Fit) {
        w = request.Fit->width();
        h = request.Fit->height();
    } else if (request.Visible) {
        w = std::round(request.Visible->Size.width() * request.Scale);
        h = std::round(request.Visible->Size.height() * request.Scale);
    } else {
        w = std::max(1.0, std::ceil(view.TotalWidth()));
        h = std::max(1.0, std::ceil(view.TotalHeight()));
    }
    if (!std::isfinite(w) || !std::isfinite(h) || w < 1 || h < 1 || w > kMaxPictureSide || h > kMaxPictureSide ||
        (!banded && w * h > double(kMaxPicturePixels)))
        return std::nullopt;
    return QSize(int(w), int(h));
}

namespace {

[[noreturn]] void TooLarge(double w, double h)
{
    const auto side = [](double v) { return std::isfinite(v) ? QString::number(std::ceil(v), 'f', 0) : QStringLiteral("∞"); };
    throw Exception(QStringLiteral("Рисунок размером %1×%2 точек слишком велик").arg(side(w), side(h)));
}

void SetHints(QPainter& painter, bool smooth)
{
    painter.setRenderHint(QPainter::Antialiasing, smooth);
    painter.setRenderHint(QPainter::TextAntialiasing, smooth);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

}  // namespace

TPicturePlan Plan(TSchemaScene& scene, const TSchemaPictureRequest& request, bool banded)
{
    const TViewGeometry view = View(scene, request);
    const std::optional<QSize> size = Size(view, request, banded);
    if (!size) {
        const QSizeF asked = request.Fit       ? QSizeF(*request.Fit)
                             : request.Visible ? QSizeF(request.Visible->Size) * request.Scale
                                               : QSizeF(view.TotalWidth(), view.TotalHeight());
        TooLarge(asked.width(), asked.height());
    }

    TPicturePlan plan;
    plan.Context = TRenderContext(request.Drawing);
    TRenderContext& ctx = plan.Context;
    ctx.View = view;
    ctx.Dpi = TViewGeometry::kScreenDpi;
    ctx.Area = QRectF(QPointF(0, 0), QSizeF(*size));
    plan.Size = *size;
    plan.Scale = view.Scale();
    // Black and white has no grey edges: two colours, one bit a pixel.
    plan.Smooth = request.Drawing.Antialiasing && !request.Drawing.BlackWhite;
    return plan;
}

void Paint(QPainter& painter, TSchemaScene& scene, const TPicturePlan& plan, TDrawnObjects* out)
{
    SetHints(painter, plan.Smooth);
    SchemaRenderer::Render(painter, scene, plan.Context, out);
}

void PaintBand(QImage& band, int top, TSchemaScene& scene, const TPicturePlan& plan, TDrawnObjects* out)
{
    TRenderContext ctx = plan.Context;
    ctx.Clip = QRectF(0, top, plan.Size.width(), band.height());
    QPainter painter(&band);
    painter.translate(0, -top);
    SetHints(painter, plan.Smooth);
    SchemaRenderer::Render(painter, scene, ctx, out);
}

TSchemaPicture Render(TSchemaScene& scene, const TSchemaPictureRequest& request)
{
    const TPicturePlan plan = Plan(scene, request);
    TSchemaPicture picture;
    picture.Scale = plan.Scale;
    QImage image(plan.Size, QImage::Format_RGB32);
    if (image.isNull())
        TooLarge(plan.Size.width(), plan.Size.height());
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        Paint(painter, scene, plan, &picture.Drawn);
    }
    picture.Image = request.Drawing.BlackWhite
                        ? image.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::ThresholdDither)
                        : std::move(image);
    return picture;
}

}  // namespace SchemaPicture
