#include "core/hydraulics/InpWriter.h"

#include "core/file/AtomicFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <unordered_set>

namespace Hydro {

namespace {

// EPANET's own conversion constants: a file in m3/h and metres is turned into cubic feet per
// second and feet with exactly these, so the roughness is solved with them too.
constexpr double kCmhPerCfs = 101.94;
constexpr double kMetresPerFoot = 0.3048;
constexpr double kSecondsPerHour = 3600;
// IDs longer than this EPANET cuts.
constexpr std::size_t kMaxId = 31;
// The diameter of a pipe that has none (a fixed resistance) and of every valve, mm. A valve's
// diameter only matters for its minor loss, which is zero here.
constexpr double kDefaultDiameterMm = 100;
// Roughness for a pipe without resistance: EPANET wants a positive one.
constexpr double kTinyRoughness = 1e-9;

bool FitsId(const std::string& name)
{
    if (name.empty() || name.size() > kMaxId)
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u > ' ' && u < 0x7F && c != ';' && c != '"';
    });
}

// Unique IDs from the names, the fallback prefix and index where a name does not fit.
std::vector<std::string> MakeIds(const std::vector<std::string>& names, std::size_t count, char prefix)
{
    std::vector<std::string> ids(count);
    std::unordered_set<std::string> taken;
    std::vector<std::size_t> unnamed;
    for (std::size_t i = 0; i < count; ++i) {
        if (i < names.size() && FitsId(names[i]) && taken.insert(names[i]).second)
            ids[i] = names[i];
        else
            unnamed.push_back(i);
    }
    for (std::size_t i : unnamed) {
        std::string id = prefix + std::to_string(i);
        while (!taken.insert(id).second)
            id += '_';
        ids[i] = id;
    }
    return ids;
}

class TText {
public:
    void Line(const char* format, auto... values)
    {
        char buffer[512];
        const int n = std::snprintf(buffer, sizeof buffer, format, values...);
        if (n > 0)
            text_.append(buffer, static_cast<qsizetype>(std::min<std::size_t>(static_cast<std::size_t>(n), sizeof buffer - 1)));
        text_.append('\n');
    }
    void Raw(const char* line)
    {
        text_.append(line);
        text_.append('\n');
    }
    QByteArray Take() { return std::move(text_); }

private:
    QByteArray text_;
};

// A PRV's setting at flow q (m3/s): interpolated, held at the end values.
double PrvSetting(const TLink& link, double q)
{
    const auto& flows = link.SettingFlows;
    const auto& pressures = link.SettingPressures;
    if (pressures.empty())
        return 0;
    const std::size_t n = std::min(flows.size(), pressures.size());
    if (n < 2 || q <= flows[0])
        return pressures[0];
    if (q >= flows[n - 1])
        return pressures[n - 1];
    for (std::size_t i = 1; i < n; ++i) {
        if (q <= flows[i]) {
            const double span = flows[i] - flows[i - 1];
            const double t = span > 0 ? (q - flows[i - 1]) / span : 1;
            return pressures[i - 1] + t * (pressures[i] - pressures[i - 1]);
        }
    }
    return pressures[n - 1];
}

double At(const std::vector<double>& values, std::size_t i, double fallback = 0)
{
    return i < values.size() && std::isfinite(values[i]) ? values[i] : fallback;
}

}  // namespace

double ManningRoughness(double r, double d, double l)
{
    if (!(r > 0) || !(d > 0) || !(l > 0) || !std::isfinite(r))
        return kTinyRoughness;
    // EPANET (hydcoeffs.c) in feet and cfs: R = (4n / (1.49·π·d²))² · (d/4)^−1.333 · L, and
    // h[ft] = R·q[cfs]². With q[cfs] = q[m3/s]·3600/101.94 and h[m] = 0.3048·h[ft]:
    // r = 0.3048·R·(3600/101.94)².
    const double flowFactor = kSecondsPerHour / kCmhPerCfs;
    const double rFeet = r / (kMetresPerFoot * flowFactor * flowFactor);
    const double dFeet = d * 1000 / (1000 * kMetresPerFoot);
    const double lFeet = l / kMetresPerFoot;
    const double base = 4.0 / (1.49 * std::numbers::pi * dFeet * dFeet);
    const double perSquareN = base * base * std::pow(dFeet / 4.0, -1.333) * lFeet;
    const double n = std::sqrt(rFeet / perSquareN);
    return n > 0 && std::isfinite(n) ? n : kTinyRoughness;
}

TInpIds MakeInpIds(const TNetwork& network, const TSolution* solution)
{
    const std::size_t nj = network.Junctions.size();
    const std::size_t nl = network.Links.size();
    TInpIds ids;
    ids.Junctions = MakeIds(network.JunctionNames, nj, 'J');
    ids.Links = MakeIds(network.LinkNames, nl, 'L');
    ids.LinkSkipped.assign(nl, false);
    ids.LinkReversed.assign(nl, false);
    std::vector<bool> unsolved(nj, false);
    if (solution)
        for (std::size_t i = 0; i < nj; ++i)
            unsolved[i] = i < solution->Head.size() && !std::isfinite(solution->Head[i]);
    std::vector<bool> linked(nj, false);
    for (std::size_t i = 0; i < nl; ++i) {
        const TLink& link = network.Links[i];
        const bool valid = link.From >= 0 && link.To >= 0 && static_cast<std::size_t>(link.From) < nj &&
                           static_cast<std::size_t>(link.To) < nj && link.From != link.To &&
                           !unsolved[static_cast<std::size_t>(link.From)] && !unsolved[static_cast<std::size_t>(link.To)];
        if (!valid) {
            ids.LinkSkipped[i] = true;
            continue;
        }
        linked[link.From] = linked[link.To] = true;
        ids.LinkReversed[i] = link.Type == TLinkType::Boost && link.Gain > 0;
    }
    ids.JunctionSkipped.assign(nj, false);
    for (std::size_t i = 0; i < nj; ++i)
        ids.JunctionSkipped[i] = unsolved[i] || (!linked[i] && !network.Junctions[i].Fixed);
    return ids;
}

QByteArray InpText(const TNetwork& network, const TSolution& solution, const QString& title)
{
    const TInpIds ids = MakeInpIds(network, &solution);
    const auto& junctions = network.Junctions;
    const auto& links = network.Links;
    TText out;

    out.Raw("[TITLE]");
    QString oneLine = title;
    oneLine.replace(u'\n', u' ').replace(u'\r', u' ');
    if (!oneLine.isEmpty())
        out.Line("%s", oneLine.left(79).toUtf8().constData());
    out.Raw("; Flows in m3/h (CMH), heads, elevations, lengths and pressures in metres, diameters in mm.");
    out.Raw("; Pipe roughness is Manning's n chosen so that each pipe loses at its solved flow what the");
    out.Raw("; program's pipe law gives; a fixed head gain is a PBV written from its outlet to its inlet.");
    out.Raw("");

    auto junction = [&](int i) { return ids.Junctions[static_cast<std::size_t>(i)].c_str(); };

    out.Raw("[JUNCTIONS]");
    out.Raw(";ID\tElevation\tDemand");
    for (std::size_t i = 0; i < junctions.size(); ++i) {
        if (junctions[i].Fixed)
            continue;
        if (ids.JunctionSkipped[i]) {
            out.Line("; %s is left out: nothing joins it to a source", ids.Junctions[i].c_str());
            continue;
        }
        out.Line("%s\t%.12g\t%.12g", ids.Junctions[i].c_str(), junctions[i].Elevation,
                 junctions[i].Demand * kSecondsPerHour);
    }
    out.Raw("");

    out.Raw("[RESERVOIRS]");
    out.Raw(";ID\tHead");
    for (std::size_t i = 0; i < junctions.size(); ++i)
        if (junctions[i].Fixed && !ids.JunctionSkipped[i])
            out.Line("%s\t%.12g", ids.Junctions[i].c_str(), junctions[i].FixedHead);
    out.Raw("");

    std::vector<std::size_t> pipes, pumps, valves;
    for (std::size_t i = 0; i < links.size(); ++i) {
        if (ids.LinkSkipped[i])
            continue;
        switch (links[i].Type) {
        case TLinkType::Pipe: pipes.push_back(i); break;
        case TLinkType::Pump: pumps.push_back(i); break;
        case TLinkType::Prv:
        case TLinkType::Boost: valves.push_back(i); break;
        }
    }

    out.Raw("[PIPES]");
    out.Raw(";ID\tNode1\tNode2\tLength\tDiameter\tRoughness\tMinorLoss\tStatus");
    for (std::size_t i : pipes) {
        const TLink& link = links[i];
        const double s = i < solution.S.size() && std::isfinite(solution.S[i]) && solution.S[i] > 0
                             ? solution.S[i]
                             : (link.Law == TPipeLaw::Fixed ? link.S : 0);
        const double length = link.Length > 0 ? link.Length : 1;
        const double r = s * std::max(link.Length, 0.0) * link.K;
        const double d = link.Diameter > 0 ? link.Diameter : kDefaultDiameterMm / 1000;
        out.Line("%s\t%s\t%s\t%.12g\t%.12g\t%.12g\t0\t%s", ids.Links[i].c_str(), junction(link.From),
                 junction(link.To), length, d * 1000, ManningRoughness(r, d, length),
                 link.Closed ? "Closed" : "Open");
    }
    out.Raw("");

    out.Raw("[PUMPS]");
    out.Raw(";ID\tNode1\tNode2\tParameters");
    for (std::size_t k = 0; k < pumps.size(); ++k) {
        const TLink& link = links[pumps[k]];
        out.Line("%s\t%s\t%s\tHEAD\tC%zu", ids.Links[pumps[k]].c_str(), junction(link.From), junction(link.To), k + 1);
    }
    out.Raw("");

    out.Raw("[VALVES]");
    out.Raw(";ID\tNode1\tNode2\tDiameter\tType\tSetting\tMinorLoss");
    for (std::size_t i : valves) {
        const TLink& link = links[i];
        if (link.Type == TLinkType::Prv) {
            // The setting the valve's law gives at the solved flow: where the valve holds its
            // outlet pressure that is the pressure EPANET must hold, and where it stands open
            // or shut the setting lies beyond the pressures, as it does here.
            const double q = std::max(At(solution.Flow, i), 0.0);
            out.Line("%s\t%s\t%s\t%.12g\tPRV\t%.12g\t0", ids.Links[i].c_str(), junction(link.From), junction(link.To),
                     kDefaultDiameterMm, PrvSetting(link, q));
        } else {
            // A PBV forces its setting as the head loss from its first node to its second
            // whichever way the water flows: written from the outlet, it is the gain.
            const bool reversed = ids.LinkReversed[i];
            out.Line("%s\t%s\t%s\t%.12g\tPBV\t%.12g\t0", ids.Links[i].c_str(),
                     junction(reversed ? link.To : link.From), junction(reversed ? link.From : link.To),
                     kDefaultDiameterMm, std::abs(link.Gain));
        }
    }
    out.Raw("");

    out.Raw("[CURVES]");
    out.Raw(";ID\tFlow\tHead");
    for (std::size_t k = 0; k < pumps.size(); ++k) {
        const TLink& link = links[pumps[k]];
        // h = A − B·q² through q = 0, q1, 2·q1, q in m3/h. EPANET fits a power law through
        // three such points and needs a falling curve with a positive shutoff head: a flat
        // pump gets a drop of a ten-millionth of its head at 1000 m3/h.
        const double a = std::max(link.A, 1e-5);
        double b = link.B / (kSecondsPerHour * kSecondsPerHour);
        double q1 = 0;
        if (b > 0 && std::isfinite(b)) {
            q1 = std::sqrt(a / b) / 2;
        } else {
            q1 = 1000;
            b = std::max(a * 1e-7, 1e-5) / (q1 * q1);
        }
        out.Line("C%zu\t0\t%.17g", k + 1, a);
        out.Line("C%zu\t%.17g\t%.17g", k + 1, q1, a - b * q1 * q1);
        out.Line("C%zu\t%.17g\t%.17g", k + 1, 2 * q1, a - 4 * b * q1 * q1);
    }
    out.Raw("");

    out.Raw("[STATUS]");
    for (std::size_t i = 0; i < links.size(); ++i)
        if (!ids.LinkSkipped[i] && links[i].Closed && links[i].Type != TLinkType::Pipe)
            out.Line("%s\tClosed", ids.Links[i].c_str());
    out.Raw("");

    out.Raw("[OPTIONS]");
    out.Raw("Units\tCMH");
    out.Raw("Headloss\tC-M");
    out.Raw("Accuracy\t0.00000001");
    out.Raw("Trials\t200");
    // Reducing valves are tried open, active or shut only once the flows have nearly settled,
    // and then with damped steps: with a valve check on every trial EPANET keeps stepping
    // around the answer of a large network at a relative flow change of about 1e-5.
    out.Raw("DampLimit\t0.001");
    out.Raw("Unbalanced\tSTOP");
    out.Raw("");
    out.Raw("[TIMES]");
    out.Raw("Duration\t0");
    out.Raw("");
    out.Raw("[REPORT]");
    out.Raw("Status\tNo");
    out.Raw("Summary\tNo");
    out.Raw("");
    out.Raw("[END]");
    return out.Take();
}

void WriteInpFile(const QString& path, const TNetwork& network, const TSolution& solution, const QString& title)
{
    WriteFileAtomically(path, InpText(network, solution, title));
}

}  // namespace Hydro
