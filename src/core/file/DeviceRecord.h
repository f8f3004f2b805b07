#pragma once

#include <functional>

class ByteReader;
class ByteWriter;
class TBranch;
class TDevice;
class TPipe;

// A device in a pipe's list: byte kind code, the common part (number, position, model,
// "Номер ППЗ", label offsets), then the block of its kind, each laid out by format version.
namespace DeviceRecord {

// The fewest bytes a device (kind code included) takes in the version.
int MinSize(int version);

// Whether the version has a place for the device: fire engines exist from version 17 on.
bool Stored(const TDevice& device, int version);

// Reads the kind code and creates the device on the pipe with the device factory, then fills
// it. An unknown kind code is refused. Reading over again (undo), reuse may hand out a device
// of the pipe with that kind to fill instead.
TDevice* Read(ByteReader& reader, TBranch& branch, TPipe& pipe, int version,
              const std::function<TDevice*(int kind)>& reuse = {});
void Write(ByteWriter& writer, const TDevice& device, int version);

}  // namespace DeviceRecord
