#pragma once

// How clicks on the schema change the mine's selection (shared with the document's tables).

#include <QRectF>

#include <vector>

class TBranch;
class TDevice;
class TMine;
class TMineObject;
class TUzel;

namespace SchemaSelection {

// Without Shift the node replaces the selection, unless it is selected already and no
// selected branch ends at it (so selected nodes can be dragged together). With Shift it is
// toggled, but a selected node at an end of a selected branch stays.
void ClickUzel(TMine& mine, TUzel* uzel, bool shift);

// As a node; a branch brings its two end nodes along. With Shift an end node goes with the
// branch unless another selected branch still holds it.
void ClickBranch(TMine& mine, TBranch* branch, bool shift);

// An unselected device replaces the selection; with Shift it is toggled.
void ClickDevice(TMine& mine, TDevice* device, bool shift);

// The nodes with their schema position inside the rectangle (schema units) and the branches
// with both ends inside it; or, for devices, the devices whose place lies inside it.
void SelectInside(TMine& mine, const QRectF& rect, bool devices);

// "Выделить все": the visible branches (with both end nodes), all nodes, or both, join the
// selection.
enum class TSelectAll { BranchesAndUzels, Uzels, Branches };
void SelectAll(TMine& mine, const std::vector<TBranch*>& visibleBranches, TSelectAll what);

// A pick in the 3D view made an object current: without Ctrl the selection starts afresh;
// with Ctrl the object current before it (of the same kind, may be null) joins the selection.
void PickInSpace(TMine& mine, TMineObject* previous, bool ctrl);

}  // namespace SchemaSelection
