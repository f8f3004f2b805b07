#include "core/checks/SlotView.h"

#include "core/checks/ActivePipe.h"
#include "core/checks/AddressIndex.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/DeviceList.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

TSlotView::TSlotView(const TMine& mine, int slot, bool useProjectedPipes, TPipeTest flag)
    : slot_(slot), useProjected_(useProjectedPipes)
{
    ReadBranches(mine, flag);
    ReadUzels(mine);
    ReadDeviceList(mine);
}

// Branches in mine order with their pipes and the pipes' devices: one walk in the order the
// objects were made, which is also the order they lie in memory. The end nodes are taken
// from the nodes' side (ReadUzels), which reads every branch there anyway.
void TSlotView::ReadBranches(const TMine& mine, TPipeTest flag)
{
    const size_t branchCount = static_cast<size_t>(mine.Branches.Count());
    pipes_.assign(branchCount, nullptr);
    flags_.assign(branchCount, 0);
    fracs_.assign(2 * branchCount, 0.0);
    startUzel_.assign(branchCount, -1);
    endUzel_.assign(branchCount, -1);
    startUzelOf_.assign(branchCount, nullptr);
    endUzelOf_.assign(branchCount, nullptr);
    sectionBase_.assign(branchCount + 1, 0);
    devices_.clear();
    // Sections: one per pipe and one per device.
    if (slot_ >= 0 && slot_ <= 2)
        devices_.reserve(branchCount + static_cast<size_t>(mine.DevicesByPipeKind[static_cast<size_t>(slot_)].Count()));
    int next = 0;
    size_t i = 0;
    for (const TBranch* b : mine.Branches) {
        sectionBase_[i] = next;
        startUzelOf_[i] = b->StartUzel();
        endUzelOf_[i] = b->EndUzel();
        TPipe* pipe = slot_ >= 0 && slot_ < b->Pipes.Count() ? b->Pipes.Items(slot_) : nullptr;
        if (pipe) {
            pipes_[i] = pipe;
            uint8_t flags = kHasPipe;
            if (IsActivePipe(pipe, useProjected_))
                flags |= kActive;
            if (pipe->StartFrac() == 0)
                flags |= kReachesStart;
            if (pipe->EndFrac() == 1)
                flags |= kReachesEnd;
            if (pipe->Projected() && !useProjected_)
                flags |= kUnusedProjected;
            if (pipe->StartFrac() > 0)
                flags |= kStartsInside;
            if (pipe->EndFrac() < 1)
                flags |= kEndsInside;
            if (flag && flag(*pipe))
                flags |= kFlagged;
            flags_[i] = flags;
            fracs_[2 * i] = pipe->StartFrac();
            fracs_[2 * i + 1] = pipe->EndFrac();
            next += pipe->SectionCount();
            // The section after the last device has no device of its own.
            devices_.resize(static_cast<size_t>(next));
            size_t s = static_cast<size_t>(sectionBase_[i]);
            for (TDevice* d : pipe->Devices)
                devices_[s++] = {d, d->Position(), static_cast<int>(i), d->GetKind()};
        }
        ++i;
    }
    sectionBase_[branchCount] = next;
    sectionTotal_ = next;
}

void TSlotView::ReadUzels(const TMine& mine)
{
    const size_t uzelCount = static_cast<size_t>(mine.Uzels.Count());
    incidentStart_.assign(uzelCount + 1, 0);
    touchCount_.assign(uzelCount, 0);
    projectedCount_.assign(uzelCount, 0);
    incident_.clear();
    incident_.reserve(2 * pipes_.size());
    const TAddressIndex<TBranch> branchIndex(mine.Branches);
    int i = 0;
    for (const TUzel* u : mine.Uzels) {
        incidentStart_[static_cast<size_t>(i)] = static_cast<int>(incident_.size());
        for (const TBranch* b : u->Branches) {
            const int bi = branchIndex.Find(b);
            if (bi < 0)
                continue;
            incident_.push_back(bi);
            const size_t at = static_cast<size_t>(bi);
            if (startUzelOf_[at] == u)
                startUzel_[at] = i;
            if (endUzelOf_[at] == u)
                endUzel_[at] = i;
        }
        ++i;
    }
    incidentStart_[uzelCount] = static_cast<int>(incident_.size());

    for (size_t u = 0; u < uzelCount; ++u)
        for (const int bi : IncidentAt(static_cast<int>(u))) {
            if (ActiveAt(bi) && TouchesAt(bi, static_cast<int>(u)))
                ++touchCount_[u];
            if (flags_[static_cast<size_t>(bi)] & kUnusedProjected)
                ++projectedCount_[u];
        }
}

// The device list usually runs in the order of the branches' pipes; then pairing it with
// the slots read above costs a pointer comparison per device. From the first device out of
// that order on, each is looked up through its branch and pipe.
void TSlotView::ReadDeviceList(const TMine& mine)
{
    listSlots_.clear();
    if (slot_ < 0 || slot_ > 2)
        return;
    const TInfoDeviceList& list = mine.DevicesByPipeKind[static_cast<size_t>(slot_)];
    listSlots_.reserve(static_cast<size_t>(list.Count()));
    bool inOrder = true;
    size_t branch = 0;
    int onPipe = 0;
    for (const TDevice* d : list) {
        if (inOrder) {
            while (branch < pipes_.size() && onPipe >= DeviceCountAt(static_cast<int>(branch))) {
                ++branch;
                onPipe = 0;
            }
            if (branch < pipes_.size()) {
                const int s = sectionBase_[branch] + onPipe;
                if (devices_[static_cast<size_t>(s)].Device == d) {
                    listSlots_.push_back(s);
                    ++onPipe;
                    continue;
                }
            }
            inOrder = false;
        }
        const int bi = d->Branch() ? Index(d->Branch()) : -1;
        const int k = d->GetIndex();
        const bool onView = bi >= 0 && k >= 0 && pipes_[static_cast<size_t>(bi)] == d->Pipe();
        listSlots_.push_back(onView ? sectionBase_[static_cast<size_t>(bi)] + k : -1);
    }
}

int TSlotView::Index(const TBranch* branch) const { return branch->GetIndex(); }
int TSlotView::Index(const TUzel* uzel) const { return uzel->GetIndex(); }

bool TSlotView::Touches(const TBranch* branch, const TPipe* pipe, const TUzel* uzel)
{
    return pipe && uzel &&
           ((branch->StartUzel() == uzel && pipe->StartFrac() == 0) || (branch->EndUzel() == uzel && pipe->EndFrac() == 1));
}

bool TSlotView::TouchesAt(int branchIndex, int uzelIndex) const
{
    const size_t b = static_cast<size_t>(branchIndex);
    return pipes_[b] && ((startUzel_[b] == uzelIndex && (flags_[b] & kReachesStart)) ||
                         (endUzel_[b] == uzelIndex && (flags_[b] & kReachesEnd)));
}

int TSlotView::MultiplicityAt(int uzelIndex, int branchIndex) const
{
    const size_t b = static_cast<size_t>(branchIndex);
    return (startUzel_[b] == uzelIndex ? 1 : 0) + (endUzel_[b] == uzelIndex ? 1 : 0);
}

int TSlotView::TouchCount(const TUzel* uzel) const { return uzel ? TouchCountAt(Index(uzel)) : 0; }

int TSlotView::OtherTouchCount(const TUzel* uzel, const TBranch* except) const
{
    return uzel ? OtherTouchCountAt(Index(uzel), Index(except)) : 0;
}

int TSlotView::OtherTouchCountAt(int uzelIndex, int exceptBranch) const
{
    const bool own = ActiveAt(exceptBranch) && TouchesAt(exceptBranch, uzelIndex);
    return TouchCountAt(uzelIndex) - (own ? MultiplicityAt(uzelIndex, exceptBranch) : 0);
}

int TSlotView::OtherUnusedProjectedCount(const TUzel* uzel, const TBranch* except) const
{
    return uzel ? OtherUnusedProjectedCountAt(Index(uzel), Index(except)) : 0;
}

int TSlotView::OtherUnusedProjectedCountAt(int uzelIndex, int exceptBranch) const
{
    const bool unused = (flags_[static_cast<size_t>(exceptBranch)] & kUnusedProjected) != 0;
    const int own = unused ? MultiplicityAt(uzelIndex, exceptBranch) : 0;
    return projectedCount_[static_cast<size_t>(uzelIndex)] - own;
}

bool TSlotView::EndIsDeadAt(int branchIndex, bool atStart) const
{
    const TPipe* pipe = PipeAt(branchIndex);
    if (atStart ? pipe->StartFrac() > 0 : pipe->EndFrac() < 1)
        return true;
    const TBranch* b = pipe->Branch();
    const TUzel* uzel = atStart ? b->StartUzel() : b->EndUzel();
    if (!uzel || uzel->IncidentCount() == 1)
        return true;
    const int uzelIndex = atStart ? StartUzelAt(branchIndex) : EndUzelAt(branchIndex);
    return OtherTouchCountAt(uzelIndex, branchIndex) == 0;
}
