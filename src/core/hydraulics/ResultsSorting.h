#pragma once

// The orders the three results tables can be put in. Every order is ascending and stable;
// rows that compare equal keep the order of their branches in the mine (sections) or of the
// hydrant numbers (plates, shortages). The lookups of the table follow the new order.

#include "core/hydraulics/HydroResults.h"

namespace ResultsSorting {

// Plate table orders, as the commands' tags number them.
enum TWasherOrder : int { woNumber = 0, woPressure, woDrop, woPressureAfter, woDiameter, woFactDiameter };
// Shortage table orders.
enum TLowerOrder : int { loNumber = 0, loPressure };

// The value a section row is ordered by for a column type of the sections table.
double SectionKey(const THydroBranch& row, int param);

// By a column type of the sections table (the branch comment compares as text).
void SortSections(THydroResults& results, int param);
void SortWashers(THydroResults& results, int order);
void SortLowers(THydroResults& results, int order);

}  // namespace ResultsSorting
