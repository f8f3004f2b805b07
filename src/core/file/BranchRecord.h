#pragma once

#include <functional>

class ByteReader;
class ByteWriter;
class TBranch;
class TDevice;
class TMine;
class TPipe;

// The branch record: a fixed block of 16 (versions 0-4), 24 (5), 25 (6), 26 (7-9),
// 51 (10-13) or 55 bytes (14 and later); the remark; the pipe count and the pipe records,
// each with its devices. The first three pipes are the water pipes of slots 0-2, further
// ones degasification pipes.
namespace BranchRecord {

// The fewest bytes a branch record takes in the version.
int MinSize(int version);

// Creates the branch in the mine (it links to the nodes by the stored numbers) and fills it
// with its pipes and devices. A clipboard branch is created with numbers -1 and then takes
// its stored numbers.
TBranch* Read(ByteReader& reader, TMine& mine, int version, bool createUnnumbered = false);
void Write(ByteWriter& writer, const TBranch& branch, int version);

// Which device of the pipe, if any, takes the record's device at that place in the pipe's
// list with that kind code (null: a new one is made).
using DeviceReuse = std::function<TDevice*(TPipe& pipe, int index, int kind)>;

// Reads the record over an existing branch (undo): its values, pipes and devices become the
// record's; degasification pipes and devices beyond the record go, devices the reuse hands
// out keep their objects.
void ReadInto(ByteReader& reader, TBranch& branch, int version, const DeviceReuse& reuse);

}  // namespace BranchRecord
