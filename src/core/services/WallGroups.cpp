#include "core/services/WallGroups.h"

#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"

#include <map>

EWallGroupError::EWallGroupError(int row) : EMineError(WallGroups::kBadWall), row_(row) {}

namespace WallGroups {

std::vector<TWallGroup> Build(const TMine& mine)
{
    std::vector<TWallGroup> groups;
    std::map<std::pair<int, int>, size_t> indexOf;
    for (TBranch* b : mine.Branches) {
        const TWaterPipe* pipe = b->FirePipe();
        if (!pipe->Present())
            continue;
        const auto key = std::make_pair(pipe->Diameter(), pipe->WallThickness());
        auto [it, added] = indexOf.try_emplace(key, groups.size());
        if (added)
            groups.push_back({key.first, key.second, key.first, key.second, {}});
        groups[it->second].Branches.push_back(b);
    }
    return groups;
}

std::optional<int> ParseWholeNumber(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

void Apply(const std::vector<TWallGroup>& groups)
{
    for (size_t row = 0; row < groups.size(); ++row) {
        const TWallGroup& g = groups[row];
        if (g.NewWall < 0 || g.NewDiameter < 0 || 2LL * g.NewWall >= g.NewDiameter)
            throw EWallGroupError(static_cast<int>(row));
    }
    for (const TWallGroup& g : groups)
        for (TBranch* b : g.Branches) {
            b->FirePipe()->SetWallThickness(g.NewWall);
            b->FirePipe()->SetDiameter(g.NewDiameter);
        }
}

}  // namespace WallGroups
