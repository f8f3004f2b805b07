#pragma once

// The 3D view on paper: one page with the window's caption at the top and the picture of the
// view below it, fitted into the rest of the page with its proportions kept and framed.

#include <QRectF>

class QImage;
class QPainter;
class QString;

namespace TopologyPrint {

// `page` is the printable area in the painter's units; `dotsPerCm` converts centimetres to
// them. Returns where the picture went.
QRectF PaintPage(QPainter& p, const QRectF& page, double dotsPerCm, const QImage& picture, const QString& caption);

}  // namespace TopologyPrint
