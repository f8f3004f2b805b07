#include "core/hydraulics/ResultsSorting.h"

#include "core/file/DocumentSettings.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"

#include <algorithm>
#include <tuple>

namespace {

// Where a section stands in the mine: its branch, its pipe on the branch, its place on the pipe.
std::tuple<int, int, int> Place(const THydroBranch& row)
{
    const TPipe* pipe = row.Section->OwnerPipeOf();
    return {row.Branch->GetIndex(), pipe ? pipe->SlotIndex() : 0, row.Section->GetIndex()};
}

// A plate row's hydrant number, for ties.
int Number(const TCrane* hydrant) { return hydrant ? hydrant->Number() : 0; }

double FactDiameter(const TCrane* hydrant)
{
    // Hydrants without a fitted orifice ("-") come first.
    return hydrant && hydrant->Orifice() ? hydrant->OrificeDiameter() : -1;
}

double WasherKey(const TWasherRow& row, int order)
{
    switch (order) {
    case ResultsSorting::woPressure: return row.Pressure;
    case ResultsSorting::woDrop: return TCrane::WasherDrop(row.Washer);
    case ResultsSorting::woPressureAfter: return row.Pressure - TCrane::WasherDrop(row.Washer);
    case ResultsSorting::woDiameter: return TCrane::WasherSize(row.Washer);
    case ResultsSorting::woFactDiameter: return FactDiameter(row.Hydrant);
    default: return Number(row.Hydrant);
    }
}

}  // namespace

namespace ResultsSorting {

double SectionKey(const THydroBranch& row, int param)
{
    const TBranch& b = *row.Branch;
    const TWaterPipePart& s = *row.Section;
    const TSectionResult& v = row.Values;
    const auto* pipe = dynamic_cast<const TWaterPipe*>(s.OwnerPipeOf());
    switch (param) {
    case hbpNum: return b.Number();
    case hbpNumS: return s.SectionEndNumbers(1);
    case hbpNumE: return s.SectionEndNumbers(2);
    case hbpL: return s.SectionLength();
    case hbpK: return pipe ? pipe->K() : 0;
    case hbpLk: return s.SectionLK();
    case hbpAngle: return b.Angle();
    case hbpQ: return v.Q;
    case hbpV: return s.SectionVelocity(v.Q);
    case hbpD: return pipe ? pipe->Diameter() : 0;
    case hbp100i: return s.SectionGradient(v.R, v.Q);
    case hbpR: return v.R;
    case hbpdZ: return s.SectionDZ();
    case hbpP1: return v.P1;
    case hbpP2: return v.P2;
    case hbpDeltaP: return v.DeltaP;
    default: return 0;
    }
}

void SortSections(THydroResults& results, int param)
{
    std::vector<THydroBranch>& rows = results.Sections;
    if (param == hbpRemark) {
        std::stable_sort(rows.begin(), rows.end(), [](const THydroBranch& a, const THydroBranch& b) {
            const int c = a.Branch->Remark().compare(b.Branch->Remark(), Qt::CaseInsensitive);
            return c != 0 ? c < 0 : Place(a) < Place(b);
        });
    } else {
        // The keys once per row: some walk the pipe.
        std::vector<std::pair<double, size_t>> keys(rows.size());
        for (size_t i = 0; i < rows.size(); ++i)
            keys[i] = {SectionKey(rows[i], param), i};
        std::stable_sort(keys.begin(), keys.end(), [&rows](const auto& a, const auto& b) {
            if (a.first != b.first)
                return a.first < b.first;
            return Place(rows[a.second]) < Place(rows[b.second]);
        });
        std::vector<THydroBranch> sorted;
        sorted.reserve(rows.size());
        for (const auto& k : keys)
            sorted.push_back(rows[k.second]);
        rows = std::move(sorted);
    }
    results.Reindex();
}

void SortWashers(THydroResults& results, int order)
{
    std::stable_sort(results.Washers.begin(), results.Washers.end(),
                     [order](const TWasherRow& a, const TWasherRow& b) {
                         const double ka = WasherKey(a, order);
                         const double kb = WasherKey(b, order);
                         return ka != kb ? ka < kb : Number(a.Hydrant) < Number(b.Hydrant);
                     });
    results.Reindex();
}

void SortLowers(THydroResults& results, int order)
{
    std::stable_sort(results.Lowers.begin(), results.Lowers.end(), [order](const TLowerRow& a, const TLowerRow& b) {
        if (order == loPressure && a.Pressure != b.Pressure)
            return a.Pressure < b.Pressure;
        return Number(a.Hydrant) < Number(b.Hydrant);
    });
    results.Reindex();
}

}  // namespace ResultsSorting
