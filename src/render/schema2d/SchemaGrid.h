#pragma once

#include <QPointF>
#include <QRectF>

#include <vector>

// Where the schema grid's lines lie: every step schema units in both directions from the
// origin, covering a rectangle. The lines through the origin are the ones at origin.x()
// and origin.y().
struct TGridLines {
    std::vector<double> X;  // vertical lines
    std::vector<double> Y;  // horizontal lines
};

// Beyond this many lines on an axis the grid would only fill the view, so that axis gets
// none.
inline constexpr int kMaxGridLines = 5000;

// Nothing for a step that is not positive.
TGridLines GridLines(const QRectF& visible, QPointF origin, double step);
