#pragma once

// The global gradient solve of a water network: link flows and junction heads that keep
// every junction's balance and every link's head law, with the status of check valves and
// pressure-reducing valves found by trial. Sparse symmetric factorisation; the pattern is
// analysed once and refactored every iteration.

#include "core/hydraulics/HydroNetwork.h"

#include <QString>

#include <functional>
#include <vector>

namespace Hydro {

enum class TLinkStatus : std::uint8_t {
    Open,    // passes water by its law
    Closed,  // a check valve or a valve against reverse flow: no flow
    Active,  // a pressure-reducing valve holding its outlet pressure
};

struct TSolveOptions {
    // Newton iterations in all, over every status trial.
    int MaxIterations = 200;
    // Iterations that change some link's status, at most; the next such change gives up.
    int MaxTrials = 50;
    // Converged when the largest flow change is below this share of the total demand…
    double RelativeFlowTolerance = 1e-6;
    // …and the largest head imbalance of a link below this, m.
    double HeadTolerance = 0.001;
    // Told after every iteration; returning false stops the solve (not converged).
    std::function<bool(int iteration)> Progress;
};

struct TSolution {
    bool Converged = false;
    // The network could be set up and solved at all; false with Error telling why (a part
    // that draws water with no source, a link that names no junction, values that are not
    // numbers, a system that cannot be solved), and then no heads or flows at all. Junctions
    // and links are named by the network's names, or by their numbers from 1 without them.
    bool Solved = false;
    QString Error;

    int Iterations = 0;
    int Trials = 0;             // iterations that changed some link's status
    double MaxFlowChange = 0;   // m3/s, of the last iteration
    double MaxHeadError = 0;    // m, the largest imbalance of a link's head law

    // Per junction, m; NaN where no source reaches (a part that draws nothing is left out).
    std::vector<double> Head;
    std::vector<double> Flow;   // per link, m3/s, positive From → To; 0 when shut or left out
    // Per pipe link: the specific resistance at its solved flow (s2/m6), always finite (see
    // SnipResistance); 0 for other links.
    std::vector<double> S;
    std::vector<TLinkStatus> Status;
    // When not converged: links whose status still changed in the last ten iterations.
    std::vector<int> Switching;
    // Junctions that draw water but no source reaches (when Error says so).
    std::vector<int> Unfed;
};

TSolution Solve(const TNetwork& network, const TSolveOptions& options = {});

}  // namespace Hydro
