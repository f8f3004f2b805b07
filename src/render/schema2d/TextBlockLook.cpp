#include "render/schema2d/TextBlockLook.h"

#include "core/model/TextBlock2D.h"
#include "render/schema2d/ProfileLook.h"
#include "render/schema2d/ViewGeometry.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

QFont TextBlockFont(const TTextBlock2D& block, double scale, double dpi, bool blackWhite)
{
    TFont2D font{block.Font().Name, block.Font().Size, quint8(block.Font().Style), TColor(block.Font().Color)};
    if (!TFont2D::SizeUsable(font.Size))
        font.Size = TBlockFont().Size;
    return ProfileFont(font, scale, dpi, blackWhite);
}

QSizeF TextBlockSize(const TTextBlock2D& block, double scale, double dpi)
{
    const QFontMetricsF metrics(TextBlockFont(block, scale, dpi));
    double width = 0;
    for (const QString& line : block.Lines())
        width = std::max(width, metrics.horizontalAdvance(line));
    const double height = metrics.height() * double(std::max<qsizetype>(1, block.Lines().size()));
    return QSizeF(width + 2 * TTextBlock2D::kMarginX * scale, height + 2 * TTextBlock2D::kMarginY * scale);
}

void InstallTextBlockMeasurer()
{
    TTextBlock2DList::SetMeasurer([](const TTextBlock2D& block, int& width, int& height) {
        const QSizeF size = TextBlockSize(block, 1, 96);
        width = int(std::ceil(size.width()));
        height = int(std::ceil(size.height()));
    });
}

namespace {

QPointF HandleInBlock(const QRectF& body)
{
    return QPointF(body.right() + TTextBlockShape::kHandleGap, body.center().y());
}

}  // namespace

TTextBlockShape TextBlockShapeOf(const TTextBlock2D& block, const TViewGeometry& view, double dpi, QPointF shift,
                                 std::optional<double> angle)
{
    TTextBlockShape shape;
    const QPointF at = view.ToScreen(QPointF(block.Left(), block.Top())) + shift;
    shape.ToScreen.translate(at.x(), at.y());
    shape.ToScreen.rotate(-angle.value_or(block.Angle()));
    shape.Body = QRectF(QPointF(0, 0), TextBlockSize(block, view.Scale(), dpi));
    shape.Outline = shape.ToScreen.map(QPolygonF(shape.Body));
    shape.Handle = shape.ToScreen.map(HandleInBlock(shape.Body));
    return shape;
}

double TextBlockAngleTowards(const TTextBlock2D& block, const TViewGeometry& view, double dpi, QPointF screen)
{
    const QPointF at = view.ToScreen(QPointF(block.Left(), block.Top()));
    const QPointF handle = HandleInBlock(QRectF(QPointF(0, 0), TextBlockSize(block, view.Scale(), dpi)));
    const QPointF towards = screen - at;
    if (towards.isNull())
        return block.Angle();
    // Screen angles grow clockwise (y points down); the block's angle counter-clockwise.
    const double degrees = (std::atan2(handle.y(), handle.x()) - std::atan2(towards.y(), towards.x())) * 180 / M_PI;
    const double turned = std::fmod(std::round(degrees * 10) / 10 + 360, 360);
    return turned >= 360 ? 0 : turned;
}
