#pragma once

// The one renderer of the technological schema: the screen, picture files, printed sheets,
// the options preview and the legend all draw through it, each with its own context.

#include "render/schema2d/DrawnObjects.h"
#include "render/schema2d/RenderContext.h"

class QPainter;
class TSchemaScene;

namespace SchemaRenderer {

// Draws the scene on the painter: the back of the area, the network in its paint order,
// the page frame, the text blocks, the grid. Nothing is drawn at a scale of 0 or less.
// Objects outside the context's clip are skipped before anything is measured. When out is
// given it receives every node, branch, device and label drawn, in drawing order.
void Render(QPainter& painter, const TSchemaScene& scene, const TRenderContext& context,
            TDrawnObjects* out = nullptr);

// Only the network (no back, frame, text blocks or grid): for previews and the legend.
void RenderNetwork(QPainter& painter, const TSchemaScene& scene, const TRenderContext& context,
                   TDrawnObjects* out = nullptr);

}  // namespace SchemaRenderer
