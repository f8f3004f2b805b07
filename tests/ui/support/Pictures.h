#pragma once

// Looking at what a window shows, in the widget tests: the picture is saved (into
// IRVATA_SCREENSHOT_DIR when set, for a person to open; else into a temporary folder) and
// checked for what a person would check first: the fields lie inside the window, and the
// places that should show text or lines are painted.

#include <QImage>
#include <QRect>
#include <QString>

#include <string>

class QWidget;

namespace Pictures {

// Grabs the widget and saves it as <name>.png; returns the picture.
QImage Take(QWidget* widget, const QString& name);

// Empty when every visible field, box and button below the window lies wholly inside it
// with a size of its own; otherwise says which does not.
std::string FieldsOutside(const QWidget* window);

// How many pixels of the area differ clearly from its most common colour (the background):
// text, lines and swatches painted there.
int InkPixels(const QImage& picture, const QRect& area);

// The rectangle of a descendant in the coordinates of an ancestor's picture, scaled to the
// picture's device pixel ratio.
QRect AreaOf(const QWidget* child, const QWidget* ancestor, const QImage& picture);

}  // namespace Pictures
