#pragma once

#include <cstddef>
#include <vector>

class TBranch;
class TMine;
class TPipe;
class TUzel;

// The pipes of one slot across a mine, as the pipeline check sees them: which are active,
// how many active pipes reach each node, and where each branch's sections and devices sit
// in flat per-run arrays. Built once per run, so every question is answered in constant
// time however large the mine.
class TSlotView {
public:
    TSlotView(const TMine& mine, int slot, bool useProjectedPipes);

    int Slot() const { return slot_; }
    bool IsGas() const { return slot_ >= 3; }
    bool UseProjectedPipes() const { return useProjected_; }

    // The branch's pipe in the slot, or null when the branch has no such slot.
    TPipe* PipeOf(const TBranch* branch) const { return PipeAt(Index(branch)); }
    bool Active(const TBranch* branch) const { return ActiveAt(Index(branch)); }
    // The same by the branch's index in the mine, for callers that look up often.
    TPipe* PipeAt(int branchIndex) const { return pipes_[static_cast<size_t>(branchIndex)]; }
    bool ActiveAt(int branchIndex) const { return active_[static_cast<size_t>(branchIndex)] != 0; }

    // The pipe reaches the node: the node is the branch's start and the pipe starts at 0,
    // or its end and the pipe ends at 1.
    static bool Touches(const TBranch* branch, const TPipe* pipe, const TUzel* uzel);

    // Entries of the node's incident list (a loop counts twice) whose pipe is active and
    // reaches the node; the same without the given branch.
    int TouchCount(const TUzel* uzel) const;
    int OtherTouchCount(const TUzel* uzel, const TBranch* except) const;
    // Entries of other branches whose pipe is projected while projected pipes do not count.
    int OtherUnusedProjectedCount(const TUzel* uzel, const TBranch* except) const;

    // Flat numbering of sections (and of devices, device i sharing the number of the
    // section before it): the branch's first section is SectionBase(branch).
    int SectionBase(const TBranch* branch) const { return SectionBaseAt(Index(branch)); }
    int SectionBaseAt(int branchIndex) const { return sectionBase_[static_cast<size_t>(branchIndex)]; }
    int SectionTotal() const { return sectionTotal_; }

    int Index(const TBranch* branch) const;
    int Index(const TUzel* uzel) const;

private:
    int Multiplicity(const TUzel* uzel, const TBranch* branch) const;
    bool UnusedProjected(const TBranch* branch) const;

    int slot_;
    bool useProjected_;
    std::vector<TPipe*> pipes_;
    std::vector<char> active_;
    std::vector<int> sectionBase_;
    int sectionTotal_ = 0;
    std::vector<int> touchCount_;
    std::vector<int> projectedCount_;
};
