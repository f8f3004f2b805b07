#include "core/checks/SlotView.h"

#include "core/checks/ActivePipe.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

TSlotView::TSlotView(const TMine& mine, int slot, bool useProjectedPipes)
    : slot_(slot), useProjected_(useProjectedPipes)
{
    const size_t branchCount = static_cast<size_t>(mine.Branches.Count());
    pipes_.assign(branchCount, nullptr);
    active_.assign(branchCount, 0);
    sectionBase_.assign(branchCount, 0);
    int next = 0;
    for (size_t i = 0; i < branchCount; ++i) {
        const TBranch* b = mine.Branches.Items(static_cast<int>(i));
        TPipe* pipe = slot >= 0 && slot < b->Pipes.Count() ? b->Pipes.Items(slot) : nullptr;
        pipes_[i] = pipe;
        active_[i] = IsActivePipe(pipe, useProjected_) ? 1 : 0;
        sectionBase_[i] = next;
        if (pipe)
            next += pipe->SectionCount();
    }
    sectionTotal_ = next;

    const size_t uzelCount = static_cast<size_t>(mine.Uzels.Count());
    touchCount_.assign(uzelCount, 0);
    projectedCount_.assign(uzelCount, 0);
    for (size_t i = 0; i < uzelCount; ++i) {
        const TUzel* u = mine.Uzels.Items(static_cast<int>(i));
        for (const TBranch* b : u->Branches) {
            const int bi = Index(b);
            const TPipe* pipe = PipeAt(bi);
            if (ActiveAt(bi) && Touches(b, pipe, u))
                ++touchCount_[i];
            if (pipe && pipe->Projected() && !useProjected_)
                ++projectedCount_[i];
        }
    }
}

int TSlotView::Index(const TBranch* branch) const { return branch->GetIndex(); }
int TSlotView::Index(const TUzel* uzel) const { return uzel->GetIndex(); }

bool TSlotView::Touches(const TBranch* branch, const TPipe* pipe, const TUzel* uzel)
{
    return pipe && uzel &&
           ((branch->StartUzel() == uzel && pipe->StartFrac() == 0) || (branch->EndUzel() == uzel && pipe->EndFrac() == 1));
}

bool TSlotView::UnusedProjected(const TBranch* branch) const
{
    const TPipe* pipe = PipeOf(branch);
    return pipe && pipe->Projected() && !useProjected_;
}

int TSlotView::Multiplicity(const TUzel* uzel, const TBranch* branch) const
{
    return (branch->StartUzel() == uzel ? 1 : 0) + (branch->EndUzel() == uzel ? 1 : 0);
}

int TSlotView::TouchCount(const TUzel* uzel) const
{
    return uzel ? touchCount_[static_cast<size_t>(Index(uzel))] : 0;
}

int TSlotView::OtherTouchCount(const TUzel* uzel, const TBranch* except) const
{
    if (!uzel)
        return 0;
    const bool own = Active(except) && Touches(except, PipeOf(except), uzel);
    return TouchCount(uzel) - (own ? Multiplicity(uzel, except) : 0);
}

int TSlotView::OtherUnusedProjectedCount(const TUzel* uzel, const TBranch* except) const
{
    if (!uzel)
        return 0;
    const int own = UnusedProjected(except) ? Multiplicity(uzel, except) : 0;
    return projectedCount_[static_cast<size_t>(Index(uzel))] - own;
}
