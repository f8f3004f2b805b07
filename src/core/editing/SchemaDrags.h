#pragma once

// What a finished drag on the schema writes into the mine. Drag vectors are in screen
// pixels; the scale and text factor of the view turn them into schema units.

#include <QPointF>

class TMine;
class TMineObject;

namespace SchemaDrags {

// Every selected node moves by the drag vector over the scale and is marked placed by hand.
// Nothing moves for a vector of no length or a scale that is not positive. Returns the
// nodes moved.
int MoveSelectedUzels(TMine& mine, QPointF drag, double scale);

// The label's offset grows by the drag vector over the text factor; a branch-number or
// section-result label stops being placed automatically. The owner is a node (its number
// label, or its result label when `result`), a branch, a water pipe section or a device.
// False when the object carries no such label or nothing moved.
bool MoveLabel(TMineObject& owner, bool result, QPointF drag, double textFactor);

}  // namespace SchemaDrags
