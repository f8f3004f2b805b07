#include "core/tables/CopyTargets.h"

#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"

#include <algorithm>

namespace CopyTargets {

std::vector<TUzel*> Uzels(const TMine& mine, TUzel* current)
{
    std::vector<TUzel*> out;
    if (mine.Selection.UzelCount() > 0) {
        for (TUzel* u : mine.Uzels)
            if (u->Selected())
                out.push_back(u);
    } else if (current) {
        out.push_back(current);
    }
    return out;
}

std::vector<TBranch*> Branches(const TMine& mine, const TInfoBranchList& displayOrder, TBranch* current)
{
    std::vector<TBranch*> out;
    if (mine.Selection.CountClass<TBranch>() > 0) {
        for (TBranch* b : displayOrder)
            if (b->Selected())
                out.push_back(b);
    } else if (current) {
        out.push_back(current);
    }
    return out;
}

int Count(const TMine& mine, bool uzels)
{
    const int selected = uzels ? mine.Selection.UzelCount() : mine.Selection.CountClass<TBranch>();
    return std::max(selected, 1);
}

}  // namespace CopyTargets
