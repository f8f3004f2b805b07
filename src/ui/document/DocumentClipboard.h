#pragma once

#include <QString>
#include <vector>

class QMimeData;
class TBranch;
class TMine;
class TUzel;

// The system clipboard for nodes and branches: the two private formats carry the records,
// plain text carries their descriptions.
namespace DocumentClipboard {

// MIME types of the private formats "Irvata Uzels" and "Irvata Branches".
extern const QString kUzelsMime;
extern const QString kBranchesMime;

void PutUzels(const std::vector<TUzel*>& uzels);
void PutBranches(const std::vector<TBranch*>& branches);
bool HasUzels();
bool HasBranches();

// Reads the block on the clipboard into the mine; throws and changes nothing when the
// block is damaged.
void PasteUzels(TMine& mine);
void PasteBranches(TMine& mine);

}  // namespace DocumentClipboard
