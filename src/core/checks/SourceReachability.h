#pragma once

#include <vector>

class TBranch;
class TCheckRun;
class TDevice;
class TInfoDeviceList;
class TJetBreakTank;
class TSlotView;
class TUzel;

// Floods the water pipes of a slot from every water source and reports pumps and
// hydrants that no source feeds and jet-break tanks reached only from below.
//
// Sources are pumps that are switched on and jet-break tanks and fire engines, standing
// where water enters the pipeline (a surface node, a dead end). The flood walks each
// branch's devices from the side it enters; pumps and reducers stop water coming from the
// side their head points to, closed gates stop it, and a tank that is no source stops
// water that does not come from above it.
class TSourceReachability {
public:
    TSourceReachability(TCheckRun& run, const TSlotView& view, const TInfoDeviceList& devices);
    void Run();

private:
    enum Mark : char { Unreached = 0, Reached = 1, Stopped = 2 };

    bool IsSource(const TDevice* device) const;
    bool TankEndIsDead(const TBranch* branch, bool atStart) const;
    bool Blocks(const TDevice* device, bool fromStart) const;
    // Water enters the branch at one side. Returns the node through which it leaves, or
    // null when it stays in the branch.
    const TUzel* Enter(TBranch* branch, bool atStart, bool first);
    void Flood(TBranch* branch, bool atStart);
    void ReportUnreached();
    void ReportIsolatedTanks();
    int Slot(const TDevice* device) const;

    TCheckRun& run_;
    const TSlotView& view_;
    const TInfoDeviceList& devices_;

    std::vector<char> visited_;  // per branch
    std::vector<char> fed_;      // per section
    std::vector<char> mark_;     // per device, numbered like the section before it
    std::vector<char> source_;   // per device
    std::vector<const TJetBreakTank*> tankCandidates_;

    struct Frame {
        const TUzel* uzel;
        const TBranch* from;
        int next;
    };
    std::vector<Frame> stack_;
};
