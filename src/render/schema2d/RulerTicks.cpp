#include "render/schema2d/RulerTicks.h"

#include "core/schema/SchemaPositions.h"

#include <algorithm>
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

// The next step after `every` that is 1, 2 or 5 times a power of ten.
int NextStep(int every)
{
    int decade = 1;
    while (decade * 10 <= every)
        decade *= 10;
    for (int m : {1, 2, 5, 10})
        if (m * decade > every)
            return m * decade;
    return every * 2;
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

std::vector<TRulerTick> RulerTicks(double zero, double length, double scale, bool centimetres, double charWidth)
{
    std::vector<TRulerTick> ticks;
    if (!(scale > 0) || !(length > 0) || !std::isfinite(zero))
        return ticks;
    int every = LabelledEvery(scale);
    const int divisions = Divisions(scale);
    const double unit = centimetres ? kPpcm : kPixelUnit;
    const int labelPerUnit = centimetres ? 1 : static_cast<int>(kPixelUnit);
    if (charWidth > 0) {
        // The longest label is the one farthest from the zero, a minus sign included.
        const double farthest = std::max(std::fabs(zero), std::fabs(length - zero)) / (unit * scale) * labelPerUnit;
        const int digits = QString::number(static_cast<long long>(std::min(farthest, 1e15)) + every * labelPerUnit).size();
        const double needed = (digits + 1 + 1.5) * charWidth;  // sign, and one and a half characters apart
        while (every * unit * scale < needed && every < 1000000000)
            every = NextStep(every);
    }
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
