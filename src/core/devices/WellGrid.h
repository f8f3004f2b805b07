#pragma once

#include "core/devices/DeviceDraft.h"

#include <vector>

// The well grid of a degasification well cluster, as rows of the device draft.
namespace WellGrid {

inline constexpr int kMaxWells = 9;

// Appends a well: the first one with 100, 75, 5, 80, 100, later ones copying the row above.
// Refused with "Количество скважин в кусте не может быть больше 9" at nine wells.
void AddRow(std::vector<TWellRow>& rows);
// Removes the row (rows below move up); an index outside the grid does nothing.
void DeleteRow(std::vector<TWellRow>& rows, int index);
bool CanMoveUp(const std::vector<TWellRow>& rows, int index);
bool CanMoveDown(const std::vector<TWellRow>& rows, int index);
// Swap the row with its neighbour; return the row's new index.
int MoveUp(std::vector<TWellRow>& rows, int index);
int MoveDown(std::vector<TWellRow>& rows, int index);

}  // namespace WellGrid
