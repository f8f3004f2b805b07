#pragma once

// The small network the schema options dialog draws its colours on: a mine of its own with
// nodes 1, 2 and 3 and the branches 1→2 and 2→3, never a document. The dialog owns it and
// frees it when it closes.

#include "render/schema2d/DrawnObjects.h"
#include "render/schema2d/RenderContext.h"

#include <QPointF>
#include <QSizeF>

#include <memory>

class TMine;
class TMineObject;

namespace PreviewNetwork {

// Nodes 1 (12, 22), 2 (150, 70) and 3 (240, 22) in schema units, coordinates equal to their
// schema positions, and branches 1 (1→2) and 2 (2→3).
std::unique_ptr<TMine> Build();

// How the preview is drawn at scale 1 with the colours given: node and branch numbers shown,
// branches as bands, the rest of the switches off, the whole area the size given.
TRenderContext Context(const TColors2D& colors, const QSizeF& area);

// What lies under a point of the last drawing: a label, else a node within a few pixels,
// else a branch within a few pixels of its line; null over empty space. Later drawn wins.
TMineObject* PickAt(const TDrawnObjects& drawn, QPointF point);

}  // namespace PreviewNetwork
