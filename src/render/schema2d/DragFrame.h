#pragma once

// One frame of a node drag. Everything that stays where it is — the back, the grid, text
// blocks and every branch without a selected end — is drawn once, at the first frame, into a
// picture; each frame copies that picture and draws only the branches that move with the
// selected nodes, so a drag on a mine of tens of thousands of branches keeps up with the
// mouse.

#include "render/schema2d/RenderContext.h"

#include <QImage>

class QPainter;
class TSchemaScene;

class TDragFrame {
public:
    // Forget the kept picture: the drag ended, or the view or the mine changed under it.
    void Reset() { fixed_ = QImage(); }
    bool HasFixedLayer() const { return !fixed_.isNull(); }
    // Draws the frame on a painter of an image of `pixels` size at `ratio` (the context's
    // area in logical pixels); the context carries the drag vector.
    void Paint(QPainter& painter, const TSchemaScene& scene, const TRenderContext& context, QSize pixels, qreal ratio);

private:
    QImage fixed_;
};
