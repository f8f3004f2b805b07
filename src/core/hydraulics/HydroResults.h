#pragma once

// The results of the hydraulic calculation of the fire-fighting pipe, held by the document
// beside its mine: one row per section of the pipe (the sections table), the heads at the
// nodes, the pressures at the devices, and the hydrants that need an orifice plate or lack
// pressure. A document without results holds none of this; any structural change of the
// mine drops the whole table, so its model pointers never outlive their objects.

#include "core/hydraulics/PointerIndex.h"

#include <QString>

#include <vector>

class TBranch;
class TCrane;
class TDevice;
class TPipe;
class TPipePart;
class TUzel;
class TWaterPipePart;

// A section's values. Pressures and losses in metres of water.
struct TSectionResult {
    double Q = 0;       // flow, m3/h, positive from the section's start toward its end
    double R = 0;       // resistance of the section, s2/m5: head loss = R·q·|q|, q in m3/s
    double DeltaP = 0;  // head loss along the section, m
    double P1 = 0;      // pressure at the section's start
    double P2 = 0;      // pressure at the section's end
};

// A row of the sections table: the section and the branch that holds it.
struct THydroBranch {
    const TBranch* Branch = nullptr;
    const TWaterPipePart* Section = nullptr;
    TSectionResult Values;
};

struct TUzelResult {
    const TUzel* Uzel = nullptr;
    double Head = 0;      // m above the mine's datum
    double Pressure = 0;  // head less the node's elevation
};

// Pressures on both sides of a device, along its branch: before is the side of the
// section that ends at the device, after the side of its own section.
struct TDeviceResult {
    const TDevice* Device = nullptr;
    double PBefore = 0;
    double PAfter = 0;
    double Q = 0;  // flow through the device, m3/h, positive toward the branch's end
};

// A hydrant whose pressure is above the upper limit, with the standard plate chosen for it.
struct TWasherRow {
    const TCrane* Hydrant = nullptr;
    double Pressure = 0;
    int Washer = 0;  // 1..9

    // The pressure above the upper limit (0 below it), the plate's drop and what it leaves.
    double Excess() const;
    double Drop() const;
    double After() const { return Pressure - Drop(); }
};

// A consuming hydrant whose pressure is below the lower limit.
struct TLowerRow {
    const TCrane* Hydrant = nullptr;
    double Pressure = 0;

    // Negative: how far the pressure falls short of the lower limit.
    double Shortage() const;
};

class THydroResults {
public:
    // The limits of the pressure at a hydrant, m.
    static constexpr double kUpperPressure = 150;
    static constexpr double kLowerPressure = 60;

    // How the solve ended: iterations taken and the largest remaining head imbalance (m).
    bool Converged = false;
    int Iterations = 0;
    double Imbalance = 0;

    std::vector<THydroBranch> Sections;
    std::vector<TUzelResult> Uzels;
    std::vector<TDeviceResult> Devices;
    std::vector<TWasherRow> Washers;
    std::vector<TLowerRow> Lowers;

    // Appends a row of the sections table (the lookups follow at the next question).
    void AddSection(const TBranch* branch, const TWaterPipePart* section, const TSectionResult& values);
    // After the rows were added, reordered or removed: the lookups follow the rows.
    void Reindex();

    // The values of a section, or null when the section has none.
    const TSectionResult* Find(const TPipePart* section) const;
    // Index of the section's row, −1 when it has none.
    int RowOf(const TPipePart* section) const;
    // The first row of a branch, −1 when it has none.
    int FirstRowOf(const TBranch* branch) const;
    // The pipe's sections carry results.
    bool PipeHasResults(const TPipe* pipe) const;

    const TUzelResult* FindUzel(const TUzel* uzel) const;
    const TDeviceResult* FindDevice(const TDevice* device) const;

    // The pressure at a hydrant: the start pressure of the section after it when that
    // section has a length, otherwise the end pressure of the section before it. False
    // when neither section has results.
    bool HydrantPressure(const TCrane& hydrant, double& pressure) const;

private:
    // Rows were added since the lookups were built; they are rebuilt at the next question.
    void Fresh() const;
    bool stale_ = false;
    TPointerIndex<TPipePart> rows_;
    TPointerIndex<TBranch> firstRows_;
    TPointerIndex<TPipe> pipes_;
    TPointerIndex<TUzel> uzels_;
    TPointerIndex<TDevice> devices_;
};
