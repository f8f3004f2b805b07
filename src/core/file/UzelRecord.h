#pragma once

class ByteReader;
class ByteWriter;
class TMine;
class TUzel;
struct TUzelState;

// The node record: one block of 37 (versions 0-2), 38 (3-6), 39 (7-9), 87 (10) or 88 bytes
// (11 and later).
namespace UzelRecord {

int Size(int version);

// Creates the node in the mine and fills it from the record. A clipboard node is created
// with number -1 and then takes its stored number, so that branches of the target link to it.
// The record's values, without a node.
TUzelState ReadState(ByteReader& reader, int version);

TUzel* Read(ByteReader& reader, TMine& mine, int version, bool createUnnumbered = false);
void Write(ByteWriter& writer, const TUzel& uzel, int version);

}  // namespace UzelRecord
