#pragma once

#include <cstdint>
#include <vector>

class TCheckRun;
class TSlotView;

// Floods the water pipes of a slot from every water source and reports pumps and
// hydrants that no source feeds and jet-break tanks reached only from below.
//
// Sources are pumps that are switched on and jet-break tanks and fire engines, standing
// where water enters the pipeline (a surface node, a dead end). The flood walks each
// branch's devices from the side it enters; pumps and reducers stop water coming from the
// side their head points to, closed gates stop it, and a tank that is no source stops
// water that does not come from above it.
//
// Everything runs on the view's arrays (branches, nodes and device slots by index); the
// devices themselves are read once, for the few kinds that can stop water.
class TSourceReachability {
public:
    TSourceReachability(TCheckRun& run, const TSlotView& view);
    void Run();

private:
    enum Mark : char { Unreached = 0, Reached = 1, Stopped = 2 };
    enum Stops : uint8_t { StopsFromStart = 1, StopsFromEnd = 2 };

    bool IsSource(int slot) const;
    // Which sides each device of an active pipe stops water from; needs the sources.
    void FindStops();
    // Water enters the branch at one side. Returns the node through which it leaves, or
    // −1 when it stays in the branch.
    int Enter(int branch, bool atStart, bool first);
    void Flood(int branch, bool atStart);
    void ReportUnreached();
    void ReportIsolatedTanks();

    TCheckRun& run_;
    const TSlotView& view_;

    std::vector<char> visited_;   // per branch
    std::vector<char> fed_;       // per section
    std::vector<char> mark_;      // per device, numbered like the section before it
    std::vector<char> source_;    // per device
    std::vector<uint8_t> stops_;  // per device
    std::vector<int> tankCandidates_;  // device slots

    struct Frame {
        int uzel;
        int from;
        int next;
    };
    std::vector<Frame> stack_;
};
