#pragma once

// A water network and its solution as an EPANET 2.2 input file (.inp), so that the network
// can be taken into EPANET and the solver checked against it. SI units with flows in m3/h.
//
// EPANET has no law of head loss that changes with the flow as the steel-pipe laws do, so
// every pipe is written with the Chezy-Manning law and the roughness that gives the pipe's
// resistance at its solved flow: EPANET then finds the same heads and flows. Pump curves are
// the three points EPANET fits A − B·q² through, a pressure-reducing valve gets the setting
// its own law gives at the solved flow, and a fixed head gain (a tank's bypass) is written as
// a pressure-breaker valve from its outlet to its inlet, which forces the same head step
// whichever way the water goes.

#include "core/hydraulics/HydroNetwork.h"
#include "core/hydraulics/HydroSolver.h"

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

namespace Hydro {

// How the network's junctions and links appear in the file.
struct TInpIds {
    // The IDs: the network's names made fit for EPANET (at most 31 characters, no spaces or
    // semicolons, unique), J<i>/L<i> where a name is missing or unfit.
    std::vector<std::string> Junctions;
    std::vector<std::string> Links;
    // Left out of the file: a junction the solution gives no head (a part no source reaches
    // and nothing draws from: EPANET could not solve it) or that no written link reaches
    // (EPANET refuses those), a link with both ends at one junction, an end that names no
    // junction or an end left out (it carries no water).
    std::vector<bool> JunctionSkipped;
    std::vector<bool> LinkSkipped;
    // The link is written from To to From: its flow in EPANET has the opposite sign.
    std::vector<bool> LinkReversed;
};

TInpIds MakeInpIds(const TNetwork& network, const TSolution* solution = nullptr);

// The file's text. The solution must be of this network (Flow, Head and S per element);
// title goes to [TITLE].
QByteArray InpText(const TNetwork& network, const TSolution& solution, const QString& title = QString());

// Writes the text to path atomically; throws EFileError when the file cannot be written.
void WriteInpFile(const QString& path, const TNetwork& network, const TSolution& solution,
                  const QString& title = QString());

// Manning's n EPANET needs for a pipe of diameter d and length l (m) to lose r·q² metres at
// a flow of q m3/s (r in s2/m5), as EPANET converts the file's units and evaluates the law.
double ManningRoughness(double r, double d, double l);

}  // namespace Hydro
