#include "core/checks/PipeEnds.h"

#include "core/checks/ActivePipe.h"
#include "core/checks/SlotView.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

namespace {
TDevice* OutermostDevice(const TPipe* pipe, bool atStart)
{
    if (pipe->Devices.IsEmpty())
        return nullptr;
    return atStart ? pipe->Devices.First() : pipe->Devices.Last();
}

bool GasPipeGoesOn(const TBranch* branch, const TPipe* pipe, const TUzel* uzel, bool useProjected)
{
    const int pipeNo = static_cast<const TGasPipe*>(pipe)->PipeNo();
    for (const TBranch* other : uzel->Branches) {
        if (other == branch)
            continue;
        const TGasPipe* g = other->Pipes.FindGasPipe(pipeNo);
        if (IsActivePipe(g, useProjected) && TSlotView::Touches(other, g, uzel))
            return true;
    }
    return false;
}
}  // namespace

bool IsDeadPipeEnd(const TSlotView& view, int branchIndex, bool atStart)
{
    if (atStart ? view.StartsInsideAt(branchIndex) : view.EndsInsideAt(branchIndex))
        return true;
    const int uzel = atStart ? view.StartUzelAt(branchIndex) : view.EndUzelAt(branchIndex);
    if (uzel < 0)
        return true;

    TPipe* pipe = view.PipeAt(branchIndex);
    if (view.IsGas()) {
        const TBranch* branch = pipe->Branch();
        return !GasPipeGoesOn(branch, pipe, atStart ? branch->StartUzel() : branch->EndUzel(), view.UseProjectedPipes());
    }

    if (view.OtherTouchCountAt(uzel, branchIndex) > 0)
        return false;
    if (view.OtherUnusedProjectedCountAt(uzel, branchIndex) == 0)
        return true;

    // Only projected pipes go on from here: the junction counts as closed towards them.
    TDevice* outermost = OutermostDevice(pipe, atStart);
    auto* gate = dynamic_cast<TGate*>(outermost);
    if (gate)
        gate->ClosedAutomatically = true;
    // At the start any device closes the end, at the end only a gate does: the two sides
    // are kept as the check has always treated them.
    return atStart ? outermost == nullptr : gate == nullptr;
}

bool IsTerminatedWaterEnd(const TSlotView& view, int branchIndex, bool atStart)
{
    const int n = view.DeviceCountAt(branchIndex);
    if (n == 0)
        return false;
    const int slot = view.SectionBaseAt(branchIndex) + (atStart ? 0 : n - 1);
    if (view.PositionAt(slot) != (atStart ? view.StartFracAt(branchIndex) : view.EndFracAt(branchIndex)))
        return false;
    switch (view.KindAt(slot)) {
    case dkPump:
    case dkCrane:
    case dkJetBreakTank:
    case dkFireMachine:
        return true;
    case dkGate: {
        const auto* gate = static_cast<const TGate*>(view.DeviceAt(slot));
        return gate->Closed() || gate->ClosedAutomatically;
    }
    default:
        return false;
    }
}
