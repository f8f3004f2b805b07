#pragma once

// The schema's mouse cursors, drawn by the program itself so they look the same on every
// desktop: "MOVEHAND" (pan), "SCALEPLUS", "SCALEMINUS", "SCALE" (zoom), "MOVEMAP" (the overview
// map's frame), "ARROWBRANCH", "ARROWUZEL", "ARROWDEVICE" (over a branch, a node, a device),
// "CROSS" (over a label or a text block), "SELECT" (rubber band), "ArrowRotate" (over a text
// block's rotation handle), "TEXTBLOCK" (the new text block tool). An unknown name gives the
// plain arrow. Each call draws the picture: keep what is used often.

#include <QCursor>
#include <QString>

QCursor SchemaCursor(const QString& name);
