#include "render/schema2d/PressureColouring.h"

#include "core/hydraulics/HydroResults.h"
#include "core/model/Branch.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "render/schema2d/SchemaDrawing.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace PressureColouring {

namespace {

// The limits between the classes, m, rising.
constexpr std::array<double, 3> kLimits{0, THydroResults::kLowerPressure, THydroResults::kUpperPressure};

void Append(std::vector<TPressureStretch>& out, double start, double end, TPressureClass c)
{
    if (!(end > start))
        return;
    if (!out.empty() && out.back().Class == c && std::fabs(out.back().End - start) < 1e-9) {
        out.back().End = end;
        return;
    }
    out.push_back({start, end, c});
}

}  // namespace

bool Applies(const TSchemaDrawing& drawing)
{
    return drawing.Show.ColorPaint == cmPressures && drawing.Results != nullptr;
}

TPressureClass ClassOf(double pressure)
{
    if (pressure < 0)
        return TPressureClass::Negative;
    if (pressure < THydroResults::kLowerPressure)
        return TPressureClass::Shortage;
    if (pressure <= THydroResults::kUpperPressure)
        return TPressureClass::Normal;
    return TPressureClass::Excess;
}

void Stretches(const TBranch& branch, const THydroResults& results, std::vector<TPressureStretch>& out)
{
    out.clear();
    const TWaterPipe* fire = branch.FirePipe();
    if (!fire || !results.PipeHasResults(fire))
        return;
    for (int i = 0; i < fire->SectionCount(); ++i) {
        const TPipePart* section = fire->GetSection(i);
        const TSectionResult* v = section ? results.Find(section) : nullptr;
        if (!v)
            continue;
        const double t0 = std::clamp(section->SectionStart(), 0.0, 1.0);
        const double t1 = std::clamp(section->SectionEnd(), 0.0, 1.0);
        if (!(t1 > t0))
            continue;
        // Cut where the straight pressure line crosses a limit, each piece classed by its middle.
        std::array<double, 5> cuts{};
        size_t n = 0;
        cuts[n++] = 0;
        const double p1 = v->P1, p2 = v->P2;
        for (double limit : kLimits)
            if ((p1 - limit) * (p2 - limit) < 0)
                cuts[n++] = (limit - p1) / (p2 - p1);
        cuts[n++] = 1;
        // At most three crossings between 0 and 1: put in order by hand.
        for (size_t i = 2; i + 1 < n; ++i)
            for (size_t j = i; j > 1 && cuts[j] < cuts[j - 1]; --j)
                std::swap(cuts[j], cuts[j - 1]);
        for (size_t k = 0; k + 1 < n; ++k) {
            const double middle = p1 + (p2 - p1) * (cuts[k] + cuts[k + 1]) / 2;
            Append(out, t0 + (t1 - t0) * cuts[k], t0 + (t1 - t0) * cuts[k + 1], ClassOf(middle));
        }
    }
}

std::vector<TPressureStretch> Stretches(const TBranch& branch, const THydroResults& results)
{
    std::vector<TPressureStretch> out;
    Stretches(branch, results, out);
    return out;
}

QColor Color(TPressureClass c)
{
    switch (c) {
    case TPressureClass::Negative: return QColor(210, 0, 0);
    case TPressureClass::Shortage: return QColor(255, 150, 0);
    case TPressureClass::Normal: return QColor(0, 170, 60);
    case TPressureClass::Excess: return QColor(40, 80, 230);
    }
    return QColor(Qt::white);
}

Qt::BrushStyle Hatch(TPressureClass c)
{
    switch (c) {
    case TPressureClass::Negative: return Qt::DiagCrossPattern;
    case TPressureClass::Shortage: return Qt::BDiagPattern;
    case TPressureClass::Normal: return Qt::NoBrush;
    case TPressureClass::Excess: return Qt::CrossPattern;
    }
    return Qt::NoBrush;
}

Qt::PenStyle Dashes(TPressureClass c)
{
    switch (c) {
    case TPressureClass::Negative: return Qt::DashDotLine;
    case TPressureClass::Shortage: return Qt::DashLine;
    case TPressureClass::Normal: return Qt::SolidLine;
    case TPressureClass::Excess: return Qt::DotLine;
    }
    return Qt::SolidLine;
}

QString Caption(TPressureClass c)
{
    switch (c) {
    case TPressureClass::Negative: return QStringLiteral("P < 0 м");
    case TPressureClass::Shortage: return QStringLiteral("0…60 м (недостаток)");
    case TPressureClass::Normal: return QStringLiteral("60…150 м (норма)");
    case TPressureClass::Excess: return QStringLiteral("P > 150 м (избыток)");
    }
    return {};
}

QString Heading() { return QStringLiteral("Давление в трубопроводе"); }

}  // namespace PressureColouring
