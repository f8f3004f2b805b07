#pragma once

// How a text block of the schema looks and measures: its font at a view scale, and the size
// of its body (lines plus margins). Drawing and hit-testing take both from here.

#include <QFont>
#include <QSizeF>

class TTextBlock2D;

// The block's font: text blocks belong to the plan, so they grow and shrink with the view.
QFont TextBlockFont(const TTextBlock2D& block, double scale, double dpi, bool blackWhite = false);

// The body: the widest line and all lines, plus the margins, at the view scale, in pixels.
QSizeF TextBlockSize(const TTextBlock2D& block, double scale, double dpi);

// Gives the model's text blocks this measure (in schema units: scale 1 on a 96 dpi screen).
void InstallTextBlockMeasurer();
