#pragma once

#include "core/file/DocumentSettings.h"

#include <QByteArray>
#include <vector>

class TBranch;
class TMine;
struct TNetworkDocument;

// The whole network document as one JSON text (UTF-8): the format version, the document's
// settings, the branch display order and the mine with every node, branch, pipe, device,
// seam, plan position and text block. Keys are the model's field names in the order of the
// file records, so two dumps compare line by line; numbers read back to the same values.
namespace MineJson {

QByteArray Dump(const TMine& mine, const TDocumentSettings& settings, const std::vector<TBranch*>& branchOrder,
                int version);
QByteArray Dump(const TNetworkDocument& document);

}  // namespace MineJson
