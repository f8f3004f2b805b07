#include "core/checks/SourceReachability.h"

#include "core/checks/CheckRun.h"
#include "core/checks/SlotView.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
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

size_t At(int index) { return static_cast<size_t>(index); }
}  // namespace

TSourceReachability::TSourceReachability(TCheckRun& run, const TSlotView& view) : run_(run), view_(view) {}

bool TSourceReachability::IsSource(int slot) const
{
    const TDevice* device = view_.DeviceAt(slot);
    const TBranch* b = device->Branch();
    const double pos = view_.PositionAt(slot);
    switch (view_.KindAt(slot)) {
    case dkPump:
        // A switched-off pump feeds nothing, at whichever end it stands.
        if (static_cast<const TPump*>(device)->Off())
            return false;
        [[fallthrough]];
    case dkFireMachine:
        return (pos == 0 && OnSurface(b->StartUzel())) || (pos == 1 && OnSurface(b->EndUzel()));
    case dkJetBreakTank: {
        const TPipe* pipe = device->Pipe();
        const int branch = view_.BranchOfSlot(slot);
        return (pos == pipe->StartFrac() && view_.EndIsDeadAt(branch, true)) ||
               (pos == pipe->EndFrac() && view_.EndIsDeadAt(branch, false));
    }
    default:
        return false;
    }
}

void TSourceReachability::FindStops()
{
    stops_.assign(At(view_.SectionTotal()), 0);
    const int branchCount = static_cast<int>(visited_.size());
    for (int bi = 0; bi < branchCount; ++bi) {
        if (!view_.ActiveAt(bi))
            continue;
        const int base = view_.SectionBaseAt(bi);
        const int n = view_.DeviceCountAt(bi);
        for (int slot = base; slot < base + n; ++slot) {
            const TDevice* d = view_.DeviceAt(slot);
            uint8_t stops = 0;
            switch (view_.KindAt(slot)) {
            case dkPump: {
                const auto* pump = static_cast<const TPump*>(d);
                if (!pump->Off())
                    stops = TowardsStart(pump->HeadDirection()) ? StopsFromStart : StopsFromEnd;
                break;
            }
            case dkReducer: {
                const auto* reducer = static_cast<const TReducer*>(d);
                if (!reducer->Off())
                    stops = TowardsStart(reducer->Direction()) ? StopsFromStart : StopsFromEnd;
                break;
            }
            case dkGate:
                // Only a gate closed by hand stops the water; one closed automatically does not.
                if (static_cast<const TGate*>(d)->Closed())
                    stops = StopsFromStart | StopsFromEnd;
                break;
            case dkJetBreakTank:
                if (!source_[At(slot)]) {
                    const TBranch* b = d->Branch();
                    const double z = HeightOf(d);
                    if (!b->StartUzel() || b->StartUzel()->Z() <= z)
                        stops |= StopsFromStart;
                    if (!b->EndUzel() || b->EndUzel()->Z() <= z)
                        stops |= StopsFromEnd;
                }
                break;
            default:
                break;
            }
            stops_[At(slot)] = stops;
        }
    }
}

int TSourceReachability::Enter(int branch, bool atStart, bool first)
{
    const size_t bi = At(branch);
    if (!view_.ActiveAt(branch)) {
        visited_[bi] = 1;
        return -1;
    }
    const int n = view_.DeviceCountAt(branch);
    const size_t base = At(view_.SectionBaseAt(branch));

    // Device i stands between section i (before it) and section i + 1 (after it).
    auto stop = [&](size_t slot) {
        if (view_.KindAt(static_cast<int>(slot)) == dkJetBreakTank && !source_[slot])
            tankCandidates_.push_back(static_cast<int>(slot));
        mark_[slot] = Stopped;
    };
    if (atStart) {
        if (!first && !view_.ReachesStartAt(branch))
            return -1;
        fed_[base] = 1;
        if (n > 0 && mark_[base] != Unreached) {
            visited_[bi] = 1;
        } else {
            for (int i = 0; i < n; ++i) {
                const size_t slot = base + At(i);
                fed_[slot] = 1;
                if (stops_[slot] & StopsFromStart) {
                    stop(slot);
                    return -1;
                }
                mark_[slot] = Reached;
            }
            fed_[base + At(n)] = 1;
        }
    } else {
        if (!first && !view_.ReachesEndAt(branch))
            return -1;
        fed_[base + At(n)] = 1;
        if (n > 0 && mark_[base + At(n - 1)] != Unreached) {
            visited_[bi] = 1;
        } else {
            for (int i = n - 1; i >= 0; --i) {
                const size_t slot = base + At(i);
                fed_[slot + 1] = 1;
                if (stops_[slot] & StopsFromEnd) {
                    stop(slot);
                    return -1;
                }
                mark_[slot] = Reached;
            }
            fed_[base] = 1;
        }
    }

    if (visited_[bi])
        return -1;
    visited_[bi] = 1;
    if (atStart)
        return view_.ReachesEndAt(branch) ? view_.EndUzelAt(branch) : -1;
    return view_.ReachesStartAt(branch) ? view_.StartUzelAt(branch) : -1;
}

void TSourceReachability::Flood(int branch, bool atStart)
{
    // Depth first, as a recursion into every other branch at the node the water leaves
    // through would go, but on a stack of our own: a long chain of workings must not
    // exhaust the call stack.
    stack_.clear();
    const int out = Enter(branch, atStart, true);
    if (out >= 0)
        stack_.push_back({out, branch, 0});
    while (!stack_.empty()) {
        Frame& top = stack_.back();
        const auto incident = view_.IncidentAt(top.uzel);
        if (top.next >= static_cast<int>(incident.size())) {
            stack_.pop_back();
            continue;
        }
        const int at = top.uzel;
        const int next = incident[At(top.next++)];
        if (next == top.from)
            continue;
        const int leaves = Enter(next, view_.StartUzelAt(next) == at, false);
        if (leaves >= 0)
            stack_.push_back({leaves, next, 0});
    }
}

void TSourceReachability::Run()
{
    const size_t sections = At(view_.SectionTotal());
    visited_.assign(At(run_.Mine.Branches.Count()), 0);
    fed_.assign(sections, 0);
    mark_.assign(sections, Unreached);
    source_.assign(sections, 0);
    tankCandidates_.clear();

    // Sources in the order of the device list: the flood's order.
    std::vector<int> sources;
    for (const int slot : view_.ListSlots()) {
        if (slot < 0)
            continue;
        const int kind = view_.KindAt(slot);
        if (kind != dkPump && kind != dkFireMachine && kind != dkJetBreakTank)
            continue;
        if (view_.ActiveAt(view_.BranchOfSlot(slot)) && IsSource(slot)) {
            source_[At(slot)] = 1;
            sources.push_back(slot);
        }
    }
    FindStops();
    for (const int slot : sources) {
        const TDevice* d = view_.DeviceAt(slot);
        Flood(view_.BranchOfSlot(slot), d->Position() == d->Pipe()->StartFrac());
    }

    ReportUnreached();
    ReportIsolatedTanks();
}

void TSourceReachability::ReportUnreached()
{
    for (const int slot : view_.ListSlots()) {
        if (slot < 0)
            continue;
        const int kind = view_.KindAt(slot);
        if (kind != dkPump && kind != dkCrane)
            continue;
        if (!view_.ActiveAt(view_.BranchOfSlot(slot)))
            continue;
        const size_t s = At(slot);
        const char mark = mark_[s];
        TDevice* d = view_.DeviceAt(slot);
        if (kind == dkPump) {
            const auto* pump = static_cast<const TPump*>(d);
            // The suction side is the section the head points away from.
            const bool suctionFed = TowardsStart(pump->HeadDirection()) ? fed_[s + 1] : fed_[s];
            if (!pump->Off() && mark == Unreached)
                run_.Error(QString::asprintf("насос %d изолирован от источников", d->Number()), d);
            else if (mark != Unreached && !suctionFed)
                run_.Error(QString::asprintf("насос %d запитан из области без источников", d->Number()), d);
        } else if (mark == Unreached && static_cast<const TCrane*>(d)->Consumption()) {
            run_.Error(QString::asprintf("кран %d изолирован от источников", d->Number()), d);
        }
    }
}

void TSourceReachability::ReportIsolatedTanks()
{
    // A tank can be stopped from both sides; it is reported once.
    std::vector<const TDevice*> isolated;
    std::unordered_set<int> seen;
    for (const int slot : tankCandidates_) {
        if (!seen.insert(slot).second)
            continue;
        const TDevice* tank = view_.DeviceAt(slot);
        const TBranch* b = tank->Branch();
        const size_t s = At(slot);
        const double z = HeightOf(tank);
        // Water that reaches the tank from above fills it.
        const bool fedFromStart = b->StartUzel() && z < b->StartUzel()->Z() && fed_[s];
        const bool fedFromEnd = b->EndUzel() && z < b->EndUzel()->Z() && fed_[s + 1];
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
