#pragma once

class ByteReader;
class ByteWriter;
class TCustomLayer;
class TMine;
class TTextBlock2D;

// The mine stream of a network file: GUID (version 9 on), name, remark, centre, seams,
// plan positions (14 on), nodes, branches with their pipes and devices, text blocks (16 on).
namespace MineStream {

// Fills an empty mine. StreamVersion and Loading are set for the duration and restored also
// when reading fails; at the end the diameter colour table is rebuilt, the bounds are
// recomputed and the mine counts as unmodified. Throws EFileError.
void Read(ByteReader& reader, TMine& mine, int version);

// Fire engines are left out of versions before 17.
void Write(ByteWriter& writer, const TMine& mine, int version);

// The parts of the stream, for the undo history, which keeps them one by one.
void WriteHeader(ByteWriter& writer, const TMine& mine, int version);
void ReadHeader(ByteReader& reader, TMine& mine, int version);
// Seams, then plan positions (each with its number).
void WriteSeams(ByteWriter& writer, const TMine& mine, int version);
void ReadSeam(ByteReader& reader, TCustomLayer& layer);
void WriteSeam(ByteWriter& writer, const TCustomLayer& layer);
void WriteTextBlocks(ByteWriter& writer, const TMine& mine);
// Into the given block, or a new one appended to the mine's blocks.
TTextBlock2D* ReadTextBlock(ByteReader& reader, TMine& mine, TTextBlock2D* into);
void WriteTextBlock(ByteWriter& writer, const TTextBlock2D& block);

}  // namespace MineStream
