#pragma once

#include "core/devices/DeviceDraft.h"

class TBranch;
class TDevice;
class TPipe;

// Writing the device dialog's working copy into the model, and the moves that apply first:
// duplicate and previous / next. Each validates completely before it changes anything; a
// refusal throws EDeviceEditError and leaves the model as it was.
namespace DeviceApply {

// Adds (editing == null) or changes a device from the draft and returns it. For a pipe
// connection the group at the edited connection's stored position and any connections at
// the draft's position are freed, then one connection per checked entry is created there;
// the one on the selected entry's pipe is returned. The chosen pipe's devices end sorted
// by position.
TDevice* Apply(TBranch& branch, const TDeviceDraft& draft, TDevice* editing);

// Whether a copy would land on the pipe: the branch has a length and position ∓ step /
// length stays within the pipe's extent (direction −1 to the start, +1 to the end).
bool CanDuplicate(const TBranch& branch, const TDeviceDraft& draft, int direction, double stepMetres);

// Applies the draft, then copies the device (a connection: its group) through the network
// file's device record to position ± step / length with the first free number over nodes
// and all devices. The copy is validated as a new device before anything changes. Returns
// the copy on the draft's pipe, or null when CanDuplicate says no.
TDevice* Duplicate(TBranch& branch, const TDeviceDraft& draft, TDevice* editing, int direction, double stepMetres);

// The device at the index ± 1 in its pipe's position-sorted list, clamped to the list.
TDevice* Neighbour(const TDevice& device, int step);

// Whether "previous" / "next" lead anywhere from the working position; editing is the
// edited device (null while adding).
bool CanGoPrevious(const TPipe& pipe, const TDevice* editing, double position);
bool CanGoNext(const TPipe& pipe, const TDevice* editing, double position);

}  // namespace DeviceApply
