#pragma once

// What a finished drag on the schema writes into the mine. Drag vectors are in screen
// pixels; the scale and text factor of the view turn them into schema units.

#include <QPointF>
#include <QString>

#include <optional>
#include <vector>

class TDevice;
class TMine;
class TMineObject;
class TUzel;

namespace SchemaDrags {

// Every selected node moves by the drag vector over the scale and is marked placed by hand.
// Nothing moves for a vector of no length or a scale that is not positive. Returns the
// nodes moved.
int MoveSelectedUzels(TMine& mine, QPointF drag, double scale);
// The nodes MoveSelectedUzels would move (none when it would move nothing), for the undo
// history to keep before they move.
std::vector<TUzel*> DraggedUzels(const TMine& mine, QPointF drag, double scale);
// The undo step's caption for a drag of count nodes: "Перемещение узла", "Перемещение узлов (40)".
QString MoveCaption(int count);

// The label's offset grows by the drag vector over the text factor; a branch-number or
// section-result label stops being placed automatically. The owner is a node (its number
// label, or its result label when `result`), a branch, a water pipe section or a device.
// False when the object carries no such label or nothing moved.
bool MoveLabel(TMineObject& owner, bool result, QPointF drag, double textFactor);

// A device slid along its branch: the position the drag gives, from where it started, the
// drag's length along the branch direction and the branch's length on the screen (pixels),
// kept within its pipe. None for a branch shorter than a pixel on the screen: the division
// would give nothing sensible.
std::optional<double> SlidDevicePosition(const TDevice& device, double startPosition, double alongPixels,
                                         double branchPixels);

// The hint beside the mouse while a device slides: "До узла %d - %1.f м (%1.f%%). До узла %d -
// %1.f м (%1.f%%)".
QString SlideHint(const TDevice& device, double position);

}  // namespace SchemaDrags
