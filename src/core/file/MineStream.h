#pragma once

class ByteReader;
class ByteWriter;
class TMine;

// The mine stream of a network file: GUID (version 9 on), name, remark, centre, seams,
// plan positions (14 on), nodes, branches with their pipes and devices, text blocks (16 on).
namespace MineStream {

// Fills an empty mine. StreamVersion and Loading are set for the duration and restored also
// when reading fails; at the end the diameter colour table is rebuilt, the bounds are
// recomputed and the mine counts as unmodified. Throws EFileError.
void Read(ByteReader& reader, TMine& mine, int version);

// Fire engines are left out of versions before 17.
void Write(ByteWriter& writer, const TMine& mine, int version);

}  // namespace MineStream
