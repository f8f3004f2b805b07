#pragma once

#include <vector>

class TBranch;
class TInfoBranchList;
class TMine;
class TUzel;

// What copy and cut take from a table: the selected objects, or the current one when none
// of its kind is selected.
namespace CopyTargets {

// The selected nodes in the mine's order, or the current node.
std::vector<TUzel*> Uzels(const TMine& mine, TUzel* current);
// The selected branches in the table's display order, or the current branch.
std::vector<TBranch*> Branches(const TMine& mine, const TInfoBranchList& displayOrder, TBranch* current);
// How many objects of the kind copy would take, at least 1 (the captions count them), from
// the selection's counters rather than a pass over the mine.
int Count(const TMine& mine, bool uzels);

}  // namespace CopyTargets
