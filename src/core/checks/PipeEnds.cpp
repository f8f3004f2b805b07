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

bool IsDeadPipeEnd(const TSlotView& view, const TBranch* branch, const TPipe* pipe, bool atStart)
{
    if (atStart ? pipe->StartFrac() > 0 : pipe->EndFrac() < 1)
        return true;
    const TUzel* uzel = atStart ? branch->StartUzel() : branch->EndUzel();
    if (!uzel)
        return true;

    if (view.IsGas())
        return !GasPipeGoesOn(branch, pipe, uzel, view.UseProjectedPipes());

    if (view.OtherTouchCount(uzel, branch) > 0)
        return false;
    if (view.OtherUnusedProjectedCount(uzel, branch) == 0)
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

bool IsTerminatedWaterEnd(const TPipe* pipe, bool atStart)
{
    const TDevice* d = OutermostDevice(pipe, atStart);
    if (!d || d->Position() != (atStart ? pipe->StartFrac() : pipe->EndFrac()))
        return false;
    switch (d->GetKind()) {
    case dkPump:
    case dkCrane:
    case dkJetBreakTank:
    case dkFireMachine:
        return true;
    case dkGate: {
        const auto* gate = static_cast<const TGate*>(d);
        return gate->Closed() || gate->ClosedAutomatically;
    }
    default:
        return false;
    }
}
