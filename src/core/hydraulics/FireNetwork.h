#pragma once

// The fire-fighting pipe of a mine as a water network: which points of the mine become
// junctions, which sections and devices become links, and where each section, node and
// device sits in the network, so the solved heads and flows find their way back.
//
// Only the active fire-fighting pipe (slot 0) of every branch takes part. A pipe joins the
// others at a node only where it touches it. Points that pass water without loss (open
// gates, hydrants, switched-off pumps and reducers, sections of no length) are merged into
// one junction; closed gates split their pipe; pumps, reducers and bypassed tanks are links;
// sources (pumps and fire engines on a surface node, tanks where water enters) give fixed
// heads on their pipe's side, without feeding the node they stand at; a tank inside the
// pipeline supplies the side below it and draws its make-up from the side above.

#include "core/hydraulics/HydroNetwork.h"

#include <QString>
#include <QStringList>

#include <vector>

class TBranch;
class TDevice;
class TJetBreakTank;
class TMine;
class TUzel;
class TWaterPipePart;

struct TFireNetworkOptions {
    bool UseProjectedPipes = false;
    // Fill the network's junction and link names (for export).
    bool Names = false;
};

class TFireNetwork {
public:
    static TFireNetwork Build(const TMine& mine, const TFireNetworkOptions& options = {});

    Hydro::TNetwork Network;
    // Data the network cannot be built from, one line each; the network is then not to be
    // solved.
    QStringList Errors;

    // A section of an active fire-fighting pipe: its two ends' junctions and its link
    // (−1 when the section is merged: no length, or no flow area).
    struct TSectionPlace {
        const TBranch* Branch = nullptr;
        const TWaterPipePart* Section = nullptr;
        int Start = -1;
        int End = -1;
        int Link = -1;
        double ZStart = 0;
        double ZEnd = 0;
    };
    std::vector<TSectionPlace> Sections;

    struct TUzelPlace {
        const TUzel* Uzel = nullptr;
        int Junction = -1;
    };
    std::vector<TUzelPlace> Uzels;

    // A device of an active fire-fighting pipe: the junctions of its two sides (before is
    // toward the branch's start) and its link, −1 without one.
    struct TDevicePlace {
        const TDevice* Device = nullptr;
        int Before = -1;
        int After = -1;
        int Link = -1;
        // The link runs toward the branch's start (a pump heading there, say).
        bool LinkReversed = false;
        double Z = 0;
        // The section that ends at the device (its place in Sections).
        int Incoming = -1;
    };
    std::vector<TDevicePlace> Devices;

    // Tanks that supply water from their volume (sources and tanks breaking the head) and the
    // junction they supply.
    struct TTankPlace {
        const TJetBreakTank* Tank = nullptr;
        int Supplied = -1;
    };
    std::vector<TTankPlace> Tanks;

    // Flows of the merged sections, m3/s toward each section's end, found from the solved
    // flows of the links by the balance of every point inside the merged junctions.
    std::vector<double> MergedSectionFlows(const std::vector<double>& linkFlows) const;

private:
    // The points the merged junctions were made of, kept for MergedSectionFlows.
    struct TPoint {
        int Junction = -1;
        double Demand = 0;
        bool Fixed = false;
    };
    std::vector<TPoint> points_;
    // Per section place: its two points.
    std::vector<std::pair<int, int>> sectionPoints_;
    // Per link: its two points.
    std::vector<std::pair<int, int>> linkPoints_;
    // Points joined without loss; Section is the section place merged, or −1.
    struct TMerge {
        int A = -1;
        int B = -1;
        int Section = -1;
    };
    std::vector<TMerge> merges_;

    friend class TFireNetworkBuilder;
};
