#pragma once

// The 3D view on paper: one page with the window's caption at the top and the picture of the
// view below it, fitted into the rest of the page with its proportions kept and framed. The
// screen's picture is black with light lines; paper gets it white with dark lines.

#include <QRectF>

class QImage;
class QPainter;
class QString;

namespace TopologyPrint {

// The picture as paper wants it: the black background white, every other colour with its hue
// and saturation kept and its lightness turned over (middle shades such as pure yellow go to
// darker ones that read on white), so light lines and white numbers come out dark and the dark
// grid light.
QImage OnPaper(const QImage& screen);

// `page` is the printable area in the painter's units; `dotsPerCm` converts centimetres to
// them. Returns where the picture went.
QRectF PaintPage(QPainter& p, const QRectF& page, double dotsPerCm, const QImage& picture, const QString& caption);

}  // namespace TopologyPrint
