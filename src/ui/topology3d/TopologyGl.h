#pragma once

// The 3D topology schema's drawing and picking on the current OpenGL 1.1 context: the window
// and the benchmark draw through these, so what is measured is what is shown.

#include "render/topology3d/TopologyScene.h"

#include <QMatrix4x4>
#include <QPoint>
#include <QSize>

namespace TopologyGl {

// The display lists of one context for the solid drawing: every branch's box and every node's
// sphere, each kind compiled once into one list, made on first use and made again after Forget
// (a new scene).
struct TSolidLists {
    unsigned Branches = 0;
    unsigned Nodes = 0;
    // Frees the lists (with their context current).
    void Forget();
};

// The scene with the projection already loaded: lines and points from the vertex arrays
// (thin), or the branches' boxes and the node spheres from their display lists (solid).
void Draw(const TTopologyScene& scene, bool solid, TSolidLists& lists);
// The scene again, every object under its name, for the selection mode.
void DrawNames(const TTopologyScene& scene);
// The grid, coloured as seen from above or below.
void DrawGrid(const TTopologyGrid& grid, bool above);
// The name of the nearest object under a point (device pixels, y down) of a viewport of
// `pixels`, with a 3 × 3 pick matrix scaled by `ratio` applied before `matrix`; 0 for none.
// The selection buffer grows when it overflows, up to 8 000 000 bytes.
quint32 Pick(const TTopologyScene& scene, const QMatrix4x4& matrix, QPointF at, QSize pixels, qreal ratio);

}  // namespace TopologyGl
