#include "core/devices/WellGrid.h"

#include "core/devices/DeviceEditError.h"

#include <utility>

namespace WellGrid {

void AddRow(std::vector<TWellRow>& rows)
{
    if (static_cast<int>(rows.size()) >= kMaxWells)
        throw EDeviceEditError(QStringLiteral("Количество скважин в кусте не может быть больше 9"), TDraftField::WellGrid);
    if (rows.empty())
        rows.push_back({QStringLiteral("100"), QStringLiteral("75"), QStringLiteral("5"), QStringLiteral("80"),
                        QStringLiteral("100")});
    else
        rows.push_back(rows.back());
}

void DeleteRow(std::vector<TWellRow>& rows, int index)
{
    if (index >= 0 && index < static_cast<int>(rows.size()))
        rows.erase(rows.begin() + index);
}

bool CanMoveUp(const std::vector<TWellRow>& rows, int index) { return index >= 1 && index < static_cast<int>(rows.size()); }

bool CanMoveDown(const std::vector<TWellRow>& rows, int index)
{
    return index >= 0 && index + 1 < static_cast<int>(rows.size());
}

int MoveUp(std::vector<TWellRow>& rows, int index)
{
    if (!CanMoveUp(rows, index))
        return index;
    std::swap(rows[static_cast<size_t>(index)], rows[static_cast<size_t>(index - 1)]);
    return index - 1;
}

int MoveDown(std::vector<TWellRow>& rows, int index)
{
    if (!CanMoveDown(rows, index))
        return index;
    std::swap(rows[static_cast<size_t>(index)], rows[static_cast<size_t>(index + 1)]);
    return index + 1;
}

}  // namespace WellGrid
