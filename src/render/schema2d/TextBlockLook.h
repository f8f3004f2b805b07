#pragma once

// How a text block of the schema looks and measures: its font at a view scale, and the size
// of its body (lines plus margins). Drawing and hit-testing take both from here.

#include <QFont>
#include <QPolygonF>
#include <QSizeF>
#include <QTransform>

#include <optional>

class TTextBlock2D;
class TViewGeometry;

// The block's font: text blocks belong to the plan, so they grow and shrink with the view.
QFont TextBlockFont(const TTextBlock2D& block, double scale, double dpi, bool blackWhite = false);

// The body: the widest line and all lines, plus the margins, at the view scale, in pixels.
QSizeF TextBlockSize(const TTextBlock2D& block, double scale, double dpi);

// Gives the model's text blocks this measure (in schema units: scale 1 on a 96 dpi screen).
void InstallTextBlockMeasurer();

// Where a block lies on the screen: its body turned about its top-left corner (the stored
// position) by its angle, and the rotation handle beside the middle of its right edge.
// Drawing, hit-testing and rotating take all three from here.
struct TTextBlockShape {
    QTransform ToScreen;  // the block's own pixels (unturned, from its corner) to the screen
    QRectF Body;          // in the block's own pixels
    QPolygonF Outline;    // the body on the screen
    QPointF Handle;       // the handle's centre on the screen
    static constexpr double kHandleRadius = 4;
    static constexpr double kHandleGap = 12;
};
// While the block is dragged it is shown moved by `shift` pixels, or turned to `angle`.
TTextBlockShape TextBlockShapeOf(const TTextBlock2D& block, const TViewGeometry& view, double dpi,
                                 QPointF shift = QPointF(), std::optional<double> angle = std::nullopt);

// The angle (degrees, [0, 360), one decimal) that turns the block's handle towards a point of
// the screen.
double TextBlockAngleTowards(const TTextBlock2D& block, const TViewGeometry& view, double dpi, QPointF screen);
