#pragma once

#include <QByteArray>
#include <vector>

class TBranch;
class TMine;
class TUzel;

// Pasting clipboard blocks of nodes and branches into a mine. A damaged block throws
// (EFileError) and changes nothing, the selection included.
namespace PasteEdits {

// The nodes of the block join the mine with their stored values; the node selection then
// holds exactly them.
std::vector<TUzel*> PasteUzels(TMine& mine, const QByteArray& block);

// The branches of the block join the mine with their stored values, linked to the mine's
// nodes by number, without seam and plan position (those belong to the other mine's
// lists); the branch selection is cleared.
std::vector<TBranch*> PasteBranches(TMine& mine, const QByteArray& block);

}  // namespace PasteEdits
