#pragma once

#include <vector>

class TUzel;
class TBranch;

// Sort orders of the node and branch tables.
enum TUzelSortOrder { usoNumber = 0, usoX = 1, usoY = 2, usoZ = 3 };
enum TBranchSortOrder {
    bsoNumber = 0,
    bsoStartNumber = 1,
    bsoEndNumber = 2,
    bsoLength = 3,
    bsoAngle = 4,
    bsoRemark = 5,
    bsoFireDiameter = 6,
    bsoFireWall = 7,
    bsoFireK = 8,
};

namespace ListSorting {

// One direction flag for all node lists of the process and one for all branch lists:
// toggling flips it, anything else makes it ascending. Returns the direction to use.
bool NextUzelDirection(bool toggle);
bool NextBranchDirection(bool toggle);

// The objects in their new order (stable: equal keys keep their relative order).
std::vector<TUzel*> SortedUzels(std::vector<TUzel*> uzels, int order, bool descending);
std::vector<TBranch*> SortedBranches(std::vector<TBranch*> branches, int order, bool descending);

}  // namespace ListSorting
