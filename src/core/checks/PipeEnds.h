#pragma once

class TSlotView;

// Whether an end of a branch's pipe in the view's slot is a dead end: it stops short of
// its node, or no other active pipe of the slot (for gas pipes: of the same pipe number)
// goes on at that node. A water pipe meeting only projected pipes that do not count is
// taken as closed towards them: the gate standing at that end is marked closed
// automatically, and the end is not dead. The branch is given by its index in the mine and
// must have a pipe in the view's slot.
bool IsDeadPipeEnd(const TSlotView& view, int branchIndex, bool atStart);

// A dead end of a water pipe is properly closed when its outermost device stands exactly
// at the pipe's end and is a pump, hydrant, jet-break tank, fire engine, or a gate that is
// closed by hand or automatically.
bool IsTerminatedWaterEnd(const TSlotView& view, int branchIndex, bool atStart);
