#pragma once

// The order branches are drawn in on the schema (the document's branch order: later ones lie
// on top) and the commands that change it. Every function takes an order and gives the new
// one; branches are never added or lost.

#include <functional>
#include <vector>

class TBranch;

namespace DrawingOrder {

// The branches' centre lines cross, or come within the tolerance (schema units) of each
// other, ends included.
bool Overlap(const TBranch& a, const TBranch& b, double tolerance);

// The selected branches, in their order, to the end (front) or the beginning (back).
std::vector<TBranch*> ToFront(const std::vector<TBranch*>& order);
std::vector<TBranch*> ToBack(const std::vector<TBranch*>& order);
// Each selected branch just past the nearest later (earlier) branch that overlaps it; a
// selected branch is never passed over, and one with no such neighbour stays.
std::vector<TBranch*> Forward(const std::vector<TBranch*>& order, double tolerance);
std::vector<TBranch*> Backward(const std::vector<TBranch*>& order, double tolerance);

// The order from heights: wherever the centre lines of two branches the filter takes cross,
// the one higher at the crossing (Z interpolated between its end nodes) comes after the
// lower; otherwise the order stays as it was, and a cycle of crossings is broken by it.
// Crossings are found through a uniform grid, not by trying every pair. `progress` (may be
// empty) hears the fraction done.
std::vector<TBranch*> FromHeights(const std::vector<TBranch*>& order,
                                  const std::function<bool(const TBranch&)>& taken,
                                  const std::function<void(double)>& progress = {});

}  // namespace DrawingOrder
