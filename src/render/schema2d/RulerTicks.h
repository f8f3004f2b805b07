#pragma once

#include <QString>

#include <vector>

// One tick of a schema ruler; only the ticks at whole steps carry a label.
struct TRulerTick {
    double Position = 0;  // pixels from the ruler's start
    int Length = 0;       // pixels from the ruler's inner edge
    QString Label;
};

// The ticks of a ruler of the given length in pixels whose zero (the schema origin on the
// screen) lies at zero pixels from its start, at view scale s. The unit is ppcm pixels in
// centimetres ("см", labels count centimetres) or 50 pixels ("pix", labels count pixels).
// Labelled ticks (8) every N units, N growing as the view shrinks; a tick of 6 halfway;
// from 40 % ticks of 4 at the odd quarters, from 105 % ticks of 3 at the odd eighths.
// With a character width (the widest digit of the ruler's font, pixels) the labelled step
// grows further through 1, 2, 5 × 10ⁿ until the longest label shown fits between two labelled
// ticks with room to spare: labels never run into each other.
std::vector<TRulerTick> RulerTicks(double zero, double length, double scale, bool centimetres, double charWidth = 0);
