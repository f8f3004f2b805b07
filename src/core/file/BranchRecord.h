#pragma once

class ByteReader;
class ByteWriter;
class TBranch;
class TMine;

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

}  // namespace BranchRecord
