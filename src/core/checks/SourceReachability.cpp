#include "core/checks/SourceReachability.h"

#include "core/checks/CheckRun.h"
#include "core/checks/SlotView.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/DeviceList.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include <algorithm>
#include <unordered_set>

namespace {
bool OnSurface(const TUzel* uzel) { return uzel && uzel->Surface(); }

double HeightOf(const TDevice* device) { return device->Branch()->PointAt(device->Position()).z; }

// Pumps and reducers: 1 points the head (the outlet) at the start node, anything else at
// the end node.
bool TowardsStart(int direction) { return direction == 1; }
}  // namespace

TSourceReachability::TSourceReachability(TCheckRun& run, const TSlotView& view, const TInfoDeviceList& devices)
    : run_(run), view_(view), devices_(devices)
{
}

int TSourceReachability::Slot(const TDevice* device) const
{
    return view_.SectionBase(device->Branch()) + device->GetIndex();
}

bool TSourceReachability::TankEndIsDead(const TBranch* branch, bool atStart) const
{
    const TPipe* pipe = view_.PipeOf(branch);
    if (atStart ? pipe->StartFrac() > 0 : pipe->EndFrac() < 1)
        return true;
    const TUzel* uzel = atStart ? branch->StartUzel() : branch->EndUzel();
    return !uzel || uzel->IncidentCount() == 1 || view_.OtherTouchCount(uzel, branch) == 0;
}

bool TSourceReachability::IsSource(const TDevice* device) const
{
    const TBranch* b = device->Branch();
    const double pos = device->Position();
    switch (device->GetKind()) {
    case dkPump:
        // A switched-off pump feeds nothing, at whichever end it stands.
        if (static_cast<const TPump*>(device)->Off())
            return false;
        [[fallthrough]];
    case dkFireMachine:
        return (pos == 0 && OnSurface(b->StartUzel())) || (pos == 1 && OnSurface(b->EndUzel()));
    case dkJetBreakTank: {
        const TPipe* pipe = device->Pipe();
        return (pos == pipe->StartFrac() && TankEndIsDead(b, true)) || (pos == pipe->EndFrac() && TankEndIsDead(b, false));
    }
    default:
        return false;
    }
}

bool TSourceReachability::Blocks(const TDevice* device, bool fromStart) const
{
    switch (device->GetKind()) {
    case dkPump: {
        const auto* pump = static_cast<const TPump*>(device);
        return !pump->Off() && TowardsStart(pump->HeadDirection()) == fromStart;
    }
    case dkReducer: {
        const auto* reducer = static_cast<const TReducer*>(device);
        return !reducer->Off() && TowardsStart(reducer->Direction()) == fromStart;
    }
    case dkGate:
        // Only a gate closed by hand stops the water; one closed automatically does not.
        return static_cast<const TGate*>(device)->Closed();
    case dkJetBreakTank: {
        if (source_[static_cast<size_t>(Slot(device))])
            return false;
        const TBranch* b = device->Branch();
        const TUzel* from = fromStart ? b->StartUzel() : b->EndUzel();
        return !from || from->Z() <= HeightOf(device);
    }
    default:
        return false;
    }
}

const TUzel* TSourceReachability::Enter(TBranch* branch, bool atStart, bool first)
{
    const int index = view_.Index(branch);
    const size_t bi = static_cast<size_t>(index);
    if (!view_.ActiveAt(index)) {
        visited_[bi] = 1;
        return nullptr;
    }
    const TPipe* pipe = view_.PipeAt(index);
    const int n = pipe->Devices.Count();
    const size_t base = static_cast<size_t>(view_.SectionBaseAt(index));

    // Device i stands between section i (before it) and section i + 1 (after it).
    auto stop = [&](const TDevice* d, size_t slot) {
        if (d->GetKind() == dkJetBreakTank && !source_[slot])
            tankCandidates_.push_back(static_cast<const TJetBreakTank*>(d));
        mark_[slot] = Stopped;
    };
    if (atStart) {
        if (!first && pipe->StartFrac() != 0)
            return nullptr;
        fed_[base] = 1;
        if (n > 0 && mark_[base] != Unreached) {
            visited_[bi] = 1;
        } else {
            for (int i = 0; i < n; ++i) {
                const size_t slot = base + static_cast<size_t>(i);
                fed_[slot] = 1;
                const TDevice* d = pipe->Devices.Items(i);
                if (Blocks(d, true)) {
                    stop(d, slot);
                    return nullptr;
                }
                mark_[slot] = Reached;
            }
            fed_[base + static_cast<size_t>(n)] = 1;
        }
    } else {
        if (!first && pipe->EndFrac() != 1)
            return nullptr;
        fed_[base + static_cast<size_t>(n)] = 1;
        if (n > 0 && mark_[base + static_cast<size_t>(n - 1)] != Unreached) {
            visited_[bi] = 1;
        } else {
            for (int i = n - 1; i >= 0; --i) {
                const size_t slot = base + static_cast<size_t>(i);
                fed_[slot + 1] = 1;
                const TDevice* d = pipe->Devices.Items(i);
                if (Blocks(d, false)) {
                    stop(d, slot);
                    return nullptr;
                }
                mark_[slot] = Reached;
            }
            fed_[base] = 1;
        }
    }

    if (visited_[bi])
        return nullptr;
    visited_[bi] = 1;
    if (atStart)
        return pipe->EndFrac() == 1 ? branch->EndUzel() : nullptr;
    return pipe->StartFrac() == 0 ? branch->StartUzel() : nullptr;
}

void TSourceReachability::Flood(TBranch* branch, bool atStart)
{
    // Depth first, as a recursion into every other branch at the node the water leaves
    // through would go, but on a stack of our own: a long chain of workings must not
    // exhaust the call stack.
    stack_.clear();
    if (const TUzel* out = Enter(branch, atStart, true))
        stack_.push_back({out, branch, 0});
    while (!stack_.empty()) {
        Frame& top = stack_.back();
        if (top.next >= top.uzel->Branches.Count()) {
            stack_.pop_back();
            continue;
        }
        const TUzel* at = top.uzel;
        TBranch* next = at->Branches.Items(top.next++);
        if (next == top.from)
            continue;
        if (const TUzel* out = Enter(next, next->StartUzel() == at, false))
            stack_.push_back({out, next, 0});
    }
}

void TSourceReachability::Run()
{
    const TMine& mine = run_.Mine;
    visited_.assign(static_cast<size_t>(mine.Branches.Count()), 0);
    fed_.assign(static_cast<size_t>(view_.SectionTotal()), 0);
    mark_.assign(static_cast<size_t>(view_.SectionTotal()), Unreached);
    source_.assign(static_cast<size_t>(view_.SectionTotal()), 0);
    tankCandidates_.clear();

    std::vector<TDevice*> sources;
    for (TDevice* d : devices_) {
        const int bi = view_.Index(d->Branch());
        if (view_.ActiveAt(bi) && IsSource(d)) {
            source_[static_cast<size_t>(view_.SectionBaseAt(bi) + d->GetIndex())] = 1;
            sources.push_back(d);
        }
    }
    for (TDevice* d : sources)
        Flood(d->Branch(), d->Position() == d->Pipe()->StartFrac());

    ReportUnreached();
    ReportIsolatedTanks();
}

void TSourceReachability::ReportUnreached()
{
    for (TDevice* d : devices_) {
        const int kind = d->GetKind();
        if (kind != dkPump && kind != dkCrane)
            continue;
        const int bi = view_.Index(d->Branch());
        if (!view_.ActiveAt(bi))
            continue;
        const size_t slot = static_cast<size_t>(view_.SectionBaseAt(bi) + d->GetIndex());
        const char mark = mark_[slot];
        if (kind == dkPump) {
            const auto* pump = static_cast<const TPump*>(d);
            // The suction side is the section the head points away from.
            const bool suctionFed = TowardsStart(pump->HeadDirection()) ? fed_[slot + 1] : fed_[slot];
            if (!pump->Off() && mark == Unreached)
                run_.Error(QString::asprintf("насос %d изолирован от источников", d->Number()), d);
            else if (mark != Unreached && !suctionFed)
                run_.Error(QString::asprintf("насос %d запитан из области без источников", d->Number()), d);
        } else {
            if (static_cast<const TCrane*>(d)->Consumption() && mark == Unreached)
                run_.Error(QString::asprintf("кран %d изолирован от источников", d->Number()), d);
        }
    }
}

void TSourceReachability::ReportIsolatedTanks()
{
    // A tank can be stopped from both sides; it is reported once.
    std::vector<const TJetBreakTank*> isolated;
    std::unordered_set<const TJetBreakTank*> seen;
    for (const TJetBreakTank* tank : tankCandidates_) {
        if (!seen.insert(tank).second)
            continue;
        const TBranch* b = tank->Branch();
        const size_t slot = static_cast<size_t>(Slot(tank));
        const double z = HeightOf(tank);
        // Water that reaches the tank from above fills it.
        const bool fedFromStart = b->StartUzel() && z < b->StartUzel()->Z() && fed_[slot];
        const bool fedFromEnd = b->EndUzel() && z < b->EndUzel()->Z() && fed_[slot + 1];
        if (!fedFromStart && !fedFromEnd)
            isolated.push_back(tank);
    }
    std::stable_sort(isolated.begin(), isolated.end(), [](const TDevice* a, const TDevice* b) {
        if (a->Number() != b->Number())
            return a->Number() < b->Number();
        return a->Branch()->Number() < b->Branch()->Number();
    });
    for (auto it = isolated.rbegin(); it != isolated.rend(); ++it)
        run_.Warning(QString::asprintf("обнаружен резервуар или БРС %d, изолированный от источника", (*it)->Number()), *it);
}
