#pragma once

// The water network the hydraulic solver works on: junctions and the links between them,
// in SI units (heads and elevations in metres, flows in m3/s, lengths in metres). It knows
// nothing of mines: the network builder turns the fire-fighting pipe into it, and the .inp
// writer hands the same network to other solvers.

#include <cstdint>
#include <string>
#include <vector>

namespace Hydro {

struct TJunction {
    double Elevation = 0;
    // Flow drawn from the network here, m3/s (not negative).
    double Demand = 0;
    // A source: the head is given (a reservoir), and it supplies whatever is drawn.
    bool Fixed = false;
    double FixedHead = 0;
};

enum class TLinkType : std::uint8_t {
    // Head loss h = S(q)·Length·K·q·|q| from From to To.
    Pipe,
    // Head gain A − B·q² from From to To; a check valve keeps water from flowing back.
    Pump,
    // A pressure-reducing valve passing water from From to To: holds the pressure at To at
    // its setting (a function of the flow through it), fully open while the pressure before
    // it is lower, closed against reverse flow. Its outlet is no source and no other valve's
    // end: the valve alone holds it.
    Prv,
    // A fixed head gain toward To, whichever way the water goes (a tank's bypass).
    Boost,
};

// How a pipe's specific resistance S (s2/m6) follows its flow.
enum class TPipeLaw : std::uint8_t {
    Fixed,    // S is given
    SnipNew,  // new steel pipes: m = 0.226, 1000·A1/2g = 0.810, C = 0.684
    SnipOld,  // pipes in service: m = 0.3, the transitional law up to the square law
};

struct TLink {
    TLinkType Type = TLinkType::Pipe;
    // Two different junctions (an open link from a junction to itself is refused).
    int From = -1;
    int To = -1;
    // A shut link (a closed gate): kept for export and reports, passes no water.
    bool Closed = false;

    // Pipe.
    TPipeLaw Law = TPipeLaw::Fixed;
    double Length = 0;    // m
    double K = 1;         // factor of local resistances
    double Diameter = 0;  // inner diameter, m (the SNiP laws)
    double S = 0;         // specific resistance, s2/m6 (the fixed law)

    // Pump: head gain A − B·q², q in m3/s.
    double A = 0;
    double B = 0;

    // Prv: outlet pressure (m of water above the valve) at the given flows (m3/s, ascending),
    // interpolated linearly and held at the end values outside them. One value: a constant
    // setting. The flows strictly ascending.
    std::vector<double> SettingFlows;
    std::vector<double> SettingPressures;

    // Boost: head gain toward To, m.
    double Gain = 0;
};

struct TNetwork {
    std::vector<TJunction> Junctions;
    std::vector<TLink> Links;
    // Names for export, parallel to the junctions and links; empty unless asked for.
    std::vector<std::string> JunctionNames;
    std::vector<std::string> LinkNames;
};

}  // namespace Hydro
