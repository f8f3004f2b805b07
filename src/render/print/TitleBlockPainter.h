#pragma once

// The drawing title block ("Шапка") on paper: 18.5 × 5.5 cm, four tables of cells in
// Courier New, thin lines inside and thick ones around each table.

#include "core/printing/Passport.h"
#include "render/print/PrintUnits.h"

class QPainter;

namespace TitleBlockPainter {

// Draws the block with its top-left corner at topLeft (device pixels).
void Paint(QPainter& painter, const TShapka& shapka, QPointF topLeft, const TPaperUnits& units);

}  // namespace TitleBlockPainter
