#pragma once

#include "core/history/MineUnits.h"

#include <QString>
#include <optional>
#include <utility>
#include <vector>

struct TEditTarget;

// One piece a step changed: as it was before and after (none: it did not exist).
struct TUnitChange {
    std::optional<TUnitState> Before;
    std::optional<TUnitState> After;
};

// Lists whose order a step changed beyond what its added and removed pieces say.
enum class TOrderList : uint8_t { Uzels, Branches, Display };

// An order before and after: the full orders when survivors changed places, otherwise the
// entries that left (places in the order before) and came (places in the order after).
struct TOrderChange {
    TOrderList List = TOrderList::Uzels;
    std::vector<uint64_t> Before, After;
    std::vector<std::pair<int, uint64_t>> Left, Came;
};

// One user action as the history keeps it.
class TEditStep {
public:
    QString Caption;
    std::vector<TUnitChange> Units;
    std::vector<TOrderChange> Orders;
    QByteArray SettingsBefore, SettingsAfter;
    bool Structural = false;

    bool Empty() const { return Units.empty() && Orders.empty() && SettingsBefore == SettingsAfter; }
    qint64 Footprint() const;
    // Puts the document as it was before the step (after = false) or after it. The mine
    // reports one change at the end.
    void Apply(const TEditTarget& target, bool after) const;
};
