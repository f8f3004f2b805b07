#include "render/schema2d/RulerTicks.h"

#include "core/schema/SchemaPositions.h"

#include <cmath>

namespace {

constexpr double kPixelUnit = 50;

// Units between labelled ticks: fewer labels as the view shrinks, so they never crowd.
int LabelledEvery(double scale)
{
    if (scale >= 0.4)
        return 1;
    if (scale >= 0.2)
        return 2;
    if (scale >= 0.05)
        return 20;
    return 40;
}

// Parts each labelled interval is divided into by the finest ticks shown.
int Divisions(double scale)
{
    if (scale >= 1.05)
        return 8;
    if (scale >= 0.4)
        return 4;
    return 2;
}

int TickLength(int part, int divisions)
{
    if (part == 0)
        return 8;
    if (2 * part == divisions)
        return 6;
    if (divisions == 4 || part % 2 == 0)
        return 4;
    return 3;
}

}  // namespace

std::vector<TRulerTick> RulerTicks(double zero, double length, double scale, bool centimetres)
{
    std::vector<TRulerTick> ticks;
    if (!(scale > 0) || !(length > 0))
        return ticks;
    const int every = LabelledEvery(scale);
    const int divisions = Divisions(scale);
    const double unit = centimetres ? kPpcm : kPixelUnit;
    const int labelPerUnit = centimetres ? 1 : static_cast<int>(kPixelUnit);
    const double spacing = every * unit * scale / divisions;
    // Steps from the zero to each end of the ruler, in both directions.
    const long long first = static_cast<long long>(std::ceil(-zero / spacing));
    const long long last = static_cast<long long>(std::floor((length - zero) / spacing));
    for (long long i = first; i <= last; ++i) {
        const int part = static_cast<int>(((i % divisions) + divisions) % divisions);
        TRulerTick tick{zero + i * spacing, TickLength(part, divisions), QString()};
        if (part == 0)
            tick.Label = QString::number((i / divisions) * every * labelPerUnit);
        ticks.push_back(tick);
    }
    return ticks;
}
