#pragma once

#include "core/file/DocumentSettings.h"

class ByteReader;
class ByteWriter;

// The head of a network file body: the column layouts of the node, branch and results
// tables, the colour mode, the height of the fictitious node, a reserved byte and (from
// version 15) the use-projected-pipes switch.
namespace SettingsBlock {

// Starts from the defaults of a new document; the layouts each version stores are laid
// over them. A table whose layout comes out damaged (a column twice or missing) keeps the
// default layout.
void Read(ByteReader& reader, int version, TDocumentSettings& settings);

// Versions 8-16 keep 12 branch columns: the seam and plan-position columns are left out,
// the others keep their display order.
void Write(ByteWriter& writer, const TDocumentSettings& settings, int version);

}  // namespace SettingsBlock
