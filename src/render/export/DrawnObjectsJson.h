#pragma once

// The object list of a picture: where every node, branch and device was drawn, in the
// picture's pixels, for scripts that mark or check the picture.
//
// {"width":W,"height":H,"scale":s,
//  "nodes":[{"number":n,"x":x,"y":y}],
//  "branches":[{"number":n,"x1":x,"y1":y,"x2":x,"y2":y}],
//  "devices":[{"kind":k,"number":n,"x":x,"y":y}]}
// Pixel positions are rounded to two decimals. Each object is listed once, in the order it was
// first drawn, at the place it was last drawn.

#include "render/schema2d/DrawnObjects.h"

#include <QByteArray>
#include <QSize>

namespace DrawnObjectsJson {

QByteArray Encode(const TDrawnObjects& drawn, QSize picture, double scale);

}  // namespace DrawnObjectsJson
