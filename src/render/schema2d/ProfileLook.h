#pragma once

// The stored colours and fonts of the schema's profiles as Qt draws them.

#include "core/settings/Profile.h"

#include <QColor>
#include <QFont>

// A stored colour (0x00BBGGRR, or a system colour code with the high bit set). System colours
// take their classic fixed values, so a picture is the same on every machine and desktop.
QColor ProfileColor(TColor value);

// Each component less n, not below 0 (the page frame's colour).
QColor Darkened(const QColor& color, int n);

// The font at a size factor for a target of the given resolution: sized in pixels
// (points × dpi / 72 × factor, at least 1), so text measures the same everywhere.
// Black-and-white output draws text without antialiasing, so it stays two colours.
QFont ProfileFont(const TFont2D& font, double factor, double dpi, bool blackWhite = false);
