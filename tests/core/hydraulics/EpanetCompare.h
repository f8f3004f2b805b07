#pragma once

// The network solver's answer set beside EPANET's on the same network, written through the
// .inp writer: every written junction's head within a centimetre and every link's flow within
// a thousandth (with a floor for flows near zero).

#include "EpanetOracle.h"
#include "support/TempDir.h"

#include "core/hydraulics/InpWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace EpanetCompare {

inline constexpr double kHeadTolerance = 0.01;       // m
inline constexpr double kFlowRelative = 1e-3;
inline constexpr double kFlowFloor = 1e-5;           // m3/s (0.036 m3/h)

// Junctions whose head the solution fixes: those joined to a source through links that pass
// water. Behind a shut pump or valve a part that draws nothing may sit at any head between
// its neighbours' (EPANET puts it where its tiny leak through the shut links balances).
inline std::vector<bool> HeadsDetermined(const Hydro::TNetwork& net, const Hydro::TSolution& ours)
{
    std::vector<int> root(net.Junctions.size());
    for (std::size_t j = 0; j < root.size(); ++j)
        root[j] = static_cast<int>(j);
    auto find = [&](int j) {
        while (root[static_cast<std::size_t>(j)] != j)
            j = root[static_cast<std::size_t>(j)] = root[static_cast<std::size_t>(root[static_cast<std::size_t>(j)])];
        return j;
    };
    for (std::size_t l = 0; l < net.Links.size(); ++l) {
        const Hydro::TLink& link = net.Links[l];
        const bool passes = !link.Closed && (l >= ours.Status.size() || ours.Status[l] != Hydro::TLinkStatus::Closed);
        if (passes && link.From >= 0 && link.To >= 0)
            root[static_cast<std::size_t>(find(link.From))] = find(link.To);
    }
    std::vector<bool> fed(net.Junctions.size(), false);
    for (std::size_t j = 0; j < net.Junctions.size(); ++j)
        if (net.Junctions[j].Fixed)
            fed[static_cast<std::size_t>(find(static_cast<int>(j)))] = true;
    std::vector<bool> determined(net.Junctions.size());
    for (std::size_t j = 0; j < net.Junctions.size(); ++j)
        determined[j] = fed[static_cast<std::size_t>(find(static_cast<int>(j)))];
    return determined;
}

// EPANET's warning that it stopped at its trial limit with the flows still changing.
inline constexpr int kUnbalanced = 1;

// Compares and returns the number of mismatches (each told through ADD_FAILURE, the first
// few only). `what` names the case in the messages. With `unbalanced` given, EPANET stopping
// unbalanced is no failure: its last answer is compared, and *unbalanced set.
inline int Compare(const Hydro::TNetwork& net, const Hydro::TSolution& ours, const std::string& what,
                   double headTolerance = kHeadTolerance, bool* unbalanced = nullptr)
{
    TestTempDir dir;
    const QString path = dir.file(QStringLiteral("net.inp"));
    Hydro::WriteInpFile(path, net, ours, QString::fromStdString(what));
    const EpanetOracle::TResult theirs = EpanetOracle::Solve(path.toStdString());
    // Warnings of states the network solver finds too: 4, a pump shut because it cannot give
    // the head; 5, a valve that cannot hold its setting; 6, negative pressures somewhere.
    if (unbalanced)
        *unbalanced = theirs.Code == kUnbalanced;
    if (theirs.Code != 0 && theirs.Code != 4 && theirs.Code != 5 && theirs.Code != 6 &&
        !(unbalanced && theirs.Code == kUnbalanced)) {
        ADD_FAILURE() << what << ": EPANET " << theirs.Message;
        return 1;
    }
    const Hydro::TInpIds ids = Hydro::MakeInpIds(net, &ours);
    const std::vector<bool> determined = HeadsDetermined(net, ours);
    int mismatches = 0;
    int headMismatches = 0;
    double worstHead = 0;
    double worstFlow = 0;
    auto report = [&](const std::string& text) {
        if (++mismatches <= 5)
            ADD_FAILURE() << what << ": " << text;
    };
    for (std::size_t j = 0; j < net.Junctions.size(); ++j) {
        if (ids.JunctionSkipped[j] || !determined[j])
            continue;
        const auto it = theirs.Heads.find(ids.Junctions[j]);
        if (it == theirs.Heads.end()) {
            report("no head of " + ids.Junctions[j]);
            continue;
        }
        worstHead = std::max(worstHead, std::abs(ours.Head[j] - it->second));
        if (!(std::abs(ours.Head[j] - it->second) <= headTolerance) && ++headMismatches)
            report("head of " + ids.Junctions[j] + ": ours " + std::to_string(ours.Head[j]) + ", EPANET " +
                   std::to_string(it->second));
    }
    for (std::size_t l = 0; l < net.Links.size(); ++l) {
        if (ids.LinkSkipped[l])
            continue;
        const auto it = theirs.Flows.find(ids.Links[l]);
        if (it == theirs.Flows.end()) {
            report("no flow of " + ids.Links[l]);
            continue;
        }
        const double q = ids.LinkReversed[l] ? -it->second : it->second;
        const double tolerance = std::max(kFlowFloor, kFlowRelative * std::abs(q));
        worstFlow = std::max(worstFlow, std::abs(ours.Flow[l] - q) / tolerance * kFlowRelative);
        if (!(std::abs(ours.Flow[l] - q) <= tolerance))
            report("flow of " + ids.Links[l] + ": ours " + std::to_string(ours.Flow[l] * 3600) + " m3/h, EPANET " +
                   std::to_string(q * 3600) + " m3/h");
    }
    if (mismatches > 5)
        ADD_FAILURE() << what << ": " << mismatches << " mismatches in all (" << headMismatches
                      << " heads), the largest head difference " << worstHead
                      << " m, flow difference " << worstFlow << " of the flow or its floor";
    return mismatches;
}

}  // namespace EpanetCompare
