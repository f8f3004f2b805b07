#pragma once

// What the 3D topology schema draws, built from the mine without any graphics library: lines
// (or solid elements) of the branches, the nodes, and the stretches of pipe, each as arrays of
// vertices in the graphics library's axes (X, Z, −Y, as TopologyView.h explains), with a colour per vertex and, for
// picking, a name per object (a branch: its index + 1; a node: branch count + its index + 1).
// The window only uploads these arrays and draws them.

#include <QtGlobal>

#include <array>
#include <vector>

class TBranch;
class THydroResults;
class TMine;
class TUzel;

struct TTopologySwitches {
    int PipeIndex = -1;  // -1 none, 0–2 a water pipe, 3 the degasification pipes
    int ColorMode = 0;   // 0 standard, 1 by seams, 2 by plan positions, 3 by pressure
    bool OnlyPipes = false;
    bool ShowNodes = true;
    bool Devices = false;  // "Показывать оборудование": a mark where each device stands
    // "Направление движения": the water's way along the displayed water pipe (by the
    // calculated flows of its sections), or with no water pipe displayed the air's way along
    // each branch.
    bool Direction = false;
    // The document's calculation results; null without them.
    const THydroResults* Results = nullptr;
};

struct TTopologyScene {
    struct Rgb {
        float R, G, B;
        bool operator==(const Rgb&) const = default;
    };
    // Two vertices (six floats) a segment, one colour a vertex, one name a segment. A branch is
    // one segment, or one a colour stretch when coloured by pressure.
    std::vector<float> BranchVertices;
    std::vector<Rgb> BranchColors;
    std::vector<quint32> BranchNames;
    // How many branches meet at each end of a segment (0 where a stretch of colour ends inside
    // its branch): solid elements are shaped by it.
    std::vector<std::array<quint8, 2>> SegmentEnds;
    // A pipe is displayed: the branches are drawn as lines under it, never solid.
    bool PipesShown = false;
    // Every branch drawn, once.
    std::vector<const TBranch*> Branches;
    // One vertex a node.
    std::vector<float> NodeVertices;
    std::vector<Rgb> NodeColors;
    std::vector<quint32> NodeNames;
    std::vector<const TUzel*> Nodes;
    // Two vertices a stretch of pipe.
    std::vector<float> PipeVertices;
    std::vector<Rgb> PipeColors;
    // One vertex a device, on the displayed pipes (on every pipe when none is displayed).
    std::vector<float> DeviceVertices;
    std::vector<Rgb> DeviceColors;
    // Direction marks: a point and a point a little further the way of the flow (six floats a
    // mark), one colour a mark. The window turns them into arrow heads of a fixed size on the screen.
    std::vector<float> DirectionVertices;
    std::vector<Rgb> DirectionColors;

    static constexpr Rgb kHighlight{1, 1, 0};
    static constexpr Rgb kStandard{0.8f, 0.8f, 0.8f};
    static constexpr Rgb kWithPipes{0.7f, 0.7f, 0.7f};
    static constexpr Rgb kNode{0.8f, 0.8f, 1};
    static constexpr Rgb kSelectedNode{1, 1, 1};
    static constexpr Rgb kGas{0, 0.8f, 0};
    static constexpr Rgb kWaterWay{0, 1, 1};
    static constexpr Rgb kAirWay{0.3f, 0.5f, 1};
    // Device marks by kind: pumps red, reducers orange, gates blue, hydrants cyan, tanks and
    // fire engines magenta, the degasification kinds green.
    static Rgb DeviceColor(int kind);

    static TTopologyScene Build(const TMine& mine, const TTopologySwitches& switches, const TBranch* current = nullptr,
                                const TUzel* currentNode = nullptr);
};

// The horizontal grid at the level z0: over the mine's X–Y extent widened to hold the central
// point, a line every `step` metres (a step of 0 or less is 200) aligned on the central point;
// the two lines through the central point apart, and the covered area as four corners. All in
// the graphics library's axes.
struct TTopologyGrid {
    std::vector<float> Lines;
    std::vector<float> CentreLines;
    std::vector<float> Area;
    static TTopologyGrid Build(const TMine& mine, int step, double z0);
};
