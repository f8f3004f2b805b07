#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class TBranch;
class TDevice;
class TMine;
class TPipe;
class TUzel;

// The pipes of one slot across a mine, as the pipeline check sees them: which are active,
// how many active pipes reach each node, and where each branch's sections and devices sit
// in flat per-run arrays. Built once per run in one pass over the mine, so every question
// is answered in constant time from compact arrays, without chasing the model's pointers
// again, however large the mine.
//
// Branches are addressed by their index in the mine, nodes likewise; a device by its slot:
// the branch's SectionBase plus its index on the pipe.
class TSlotView {
public:
    // A question about a pipe's own values that the caller asks of every pipe; the answer
    // is kept per branch (FlaggedAt), read while the pipe is at hand anyway.
    using TPipeTest = bool (*)(const TPipe& pipe);

    TSlotView(const TMine& mine, int slot, bool useProjectedPipes, TPipeTest flag = nullptr);

    int Slot() const { return slot_; }
    bool IsGas() const { return slot_ >= 3; }
    bool UseProjectedPipes() const { return useProjected_; }

    // The branch's pipe in the slot, or null when the branch has no such slot.
    TPipe* PipeOf(const TBranch* branch) const { return PipeAt(Index(branch)); }
    bool Active(const TBranch* branch) const { return ActiveAt(Index(branch)); }
    // The same by the branch's index in the mine, for callers that look up often.
    TPipe* PipeAt(int branchIndex) const { return pipes_[static_cast<size_t>(branchIndex)]; }
    bool ActiveAt(int branchIndex) const { return (flags_[static_cast<size_t>(branchIndex)] & kActive) != 0; }
    // The pipe starts at the start node (fraction 0) / ends at the end node (fraction 1).
    bool ReachesStartAt(int branchIndex) const { return (flags_[static_cast<size_t>(branchIndex)] & kReachesStart) != 0; }
    bool ReachesEndAt(int branchIndex) const { return (flags_[static_cast<size_t>(branchIndex)] & kReachesEnd) != 0; }
    // The pipe stops short of its start node (start fraction above 0) / end node (end
    // fraction below 1).
    bool StartsInsideAt(int branchIndex) const { return (flags_[static_cast<size_t>(branchIndex)] & kStartsInside) != 0; }
    bool EndsInsideAt(int branchIndex) const { return (flags_[static_cast<size_t>(branchIndex)] & kEndsInside) != 0; }
    double StartFracAt(int branchIndex) const { return fracs_[2 * static_cast<size_t>(branchIndex)]; }
    double EndFracAt(int branchIndex) const { return fracs_[2 * static_cast<size_t>(branchIndex) + 1]; }
    // The pipe test given to the constructor held for the branch's pipe.
    bool FlaggedAt(int branchIndex) const { return (flags_[static_cast<size_t>(branchIndex)] & kFlagged) != 0; }
    // Index of the branch's start / end node, −1 when the end is not linked.
    int StartUzelAt(int branchIndex) const { return startUzel_[static_cast<size_t>(branchIndex)]; }
    int EndUzelAt(int branchIndex) const { return endUzel_[static_cast<size_t>(branchIndex)]; }
    // Devices on the branch's pipe; 0 without a pipe.
    int DeviceCountAt(int branchIndex) const
    {
        const size_t i = static_cast<size_t>(branchIndex);
        return pipes_[i] ? sectionBase_[i + 1] - sectionBase_[i] - 1 : 0;
    }

    // The pipe reaches the node: the node is the branch's start and the pipe starts at 0,
    // or its end and the pipe ends at 1.
    static bool Touches(const TBranch* branch, const TPipe* pipe, const TUzel* uzel);

    // Entries of the node's incident list (a loop counts twice) whose pipe is active and
    // reaches the node; the same without the given branch.
    int TouchCount(const TUzel* uzel) const;
    int OtherTouchCount(const TUzel* uzel, const TBranch* except) const;
    int TouchCountAt(int uzelIndex) const { return touchCount_[static_cast<size_t>(uzelIndex)]; }
    int OtherTouchCountAt(int uzelIndex, int exceptBranch) const;
    // No other pipe takes water on at the pipe's start (end): the pipe stops short of its
    // node, the node is missing or joins this branch alone, or no other active pipe of the
    // slot touches it there. Where a tank at that end is a source.
    bool EndIsDeadAt(int branchIndex, bool atStart) const;
    // Entries of other branches whose pipe is projected while projected pipes do not count.
    int OtherUnusedProjectedCount(const TUzel* uzel, const TBranch* except) const;
    int OtherUnusedProjectedCountAt(int uzelIndex, int exceptBranch) const;

    // The node's incident list as branch indices, in the node's own order.
    std::span<const int> IncidentAt(int uzelIndex) const
    {
        const size_t i = static_cast<size_t>(uzelIndex);
        return {incident_.data() + incidentStart_[i], incident_.data() + incidentStart_[i + 1]};
    }

    // Flat numbering of sections (and of devices, device i sharing the number of the
    // section before it): the branch's first section is SectionBase(branch).
    int SectionBase(const TBranch* branch) const { return SectionBaseAt(Index(branch)); }
    int SectionBaseAt(int branchIndex) const { return sectionBase_[static_cast<size_t>(branchIndex)]; }
    int SectionTotal() const { return sectionTotal_; }

    // The device of a slot with what the checks ask of it most, read once per run.
    TDevice* DeviceAt(int slot) const { return devices_[static_cast<size_t>(slot)].Device; }
    int KindAt(int slot) const { return devices_[static_cast<size_t>(slot)].Kind; }
    double PositionAt(int slot) const { return devices_[static_cast<size_t>(slot)].Position; }
    int BranchOfSlot(int slot) const { return devices_[static_cast<size_t>(slot)].Branch; }

    // The slots of the mine's device list of this slot (water slots 0-2), in list order:
    // the order in which the checks name devices. −1 for a device the list holds on no
    // pipe of this view. Empty for degasification slots.
    const std::vector<int>& ListSlots() const { return listSlots_; }

    int Index(const TBranch* branch) const;
    int Index(const TUzel* uzel) const;

private:
    enum : uint8_t {
        kHasPipe = 1,
        kActive = 2,
        kReachesStart = 4,
        kReachesEnd = 8,
        kUnusedProjected = 16,
        kStartsInside = 32,
        kEndsInside = 64,
        kFlagged = 128,
    };
    struct DeviceEntry {
        TDevice* Device = nullptr;
        double Position = 0;
        int Branch = -1;
        int Kind = 0;
    };

    void ReadBranches(const TMine& mine, TPipeTest flag);
    void ReadUzels(const TMine& mine);
    void ReadDeviceList(const TMine& mine);
    bool TouchesAt(int branchIndex, int uzelIndex) const;
    int MultiplicityAt(int uzelIndex, int branchIndex) const;

    int slot_;
    bool useProjected_;
    // Per branch.
    std::vector<TPipe*> pipes_;
    std::vector<uint8_t> flags_;
    std::vector<double> fracs_;  // start and end fraction of each branch's pipe
    std::vector<int> startUzel_;
    std::vector<int> endUzel_;
    std::vector<const TUzel*> startUzelOf_;  // the end nodes as the branches name them
    std::vector<const TUzel*> endUzelOf_;
    std::vector<int> sectionBase_;  // one more than branches: the total closes it
    int sectionTotal_ = 0;
    // Per node.
    std::vector<int> incidentStart_;  // one more than nodes
    std::vector<int> incident_;
    std::vector<int> touchCount_;
    std::vector<int> projectedCount_;
    // Per section slot.
    std::vector<DeviceEntry> devices_;
    std::vector<int> listSlots_;
};
