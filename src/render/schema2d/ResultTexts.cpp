#include "render/schema2d/ResultTexts.h"

#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"

#include <cmath>

namespace {

// Between the pressures before and after a device.
const QString kBetween = QStringLiteral("/");

QString Line(const char* name, double value) { return QString::fromLatin1(name) + ResultTexts::Fixed(value, 1); }

QString Pair(const char* name, double before, double after)
{
    return QString::fromLatin1(name) + ResultTexts::Fixed(before, 1) + QLatin1Char(' ') + kBetween + QLatin1Char(' ') +
           ResultTexts::Fixed(after, 1);
}

void Add(QStringList& lines, bool on, const QString& line)
{
    if (on)
        lines << line;
}

}  // namespace

namespace ResultTexts {

QString Fixed(double value, int decimals)
{
    if (value == 0)
        value = 0;  // no "-0.0"
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith(QLatin1Char('-')) && text.mid(1).toDouble() == 0)
        text.remove(0, 1);
    return text;
}

QString BranchLabel(const TBranch& branch, int branchInfo)
{
    switch (branchInfo) {
    case biLengths: return Fixed(branch.Length(), 1);
    case biAngles: return Fixed(std::fabs(branch.Angle()), 2);
    default: return QString::number(branch.Number());
    }
}

QString SectionResult(const TWaterPipePart& s, const TSectionResult& v, quint16 bits)
{
    QStringList lines;
    const bool flowing = v.Q != 0;
    Add(lines, flowing && (bits & rbQ), Line("Q: ", std::fabs(v.Q)));
    Add(lines, flowing && (bits & rbV), Line("V: ", std::fabs(s.SectionVelocity(v.Q))));
    Add(lines, flowing && (bits & rbR), Line("R: ", std::fabs(v.R)));
    Add(lines, flowing && (bits & rb100i), Line("100i: ", std::fabs(s.SectionGradient(v.R, v.Q))));
    Add(lines, bits & rbDP, Line("dP: ", std::fabs(v.P1 - v.P2)));
    Add(lines, bits & rbDZ, Line("dZ: ", std::fabs(s.SectionDZ())));
    Add(lines, (bits & rbH) && v.DeltaP != 0, Line("h: ", std::fabs(v.DeltaP)));
    return lines.join(QLatin1Char('\n'));
}

QString UzelResult(const TUzel& uzel, int pipeSlot, quint16 bits, const THydroResults& results)
{
    QStringList lines;
    if (bits & rbP) {
        const TWaterPipePart* section = nullptr;
        double pressure = 0;
        for (int i = 0; i < uzel.Branches.Count() && !section; ++i) {
            const TBranch* b = uzel.Branches.Items(i);
            const TPipe* pipe = b->WaterPipe(pipeSlot);
            if (!pipe || !results.PipeHasResults(pipe) || pipe->SectionCount() == 0)
                continue;
            if (b->StartUzel() == &uzel && pipe->StartFrac() <= 0) {
                section = dynamic_cast<const TWaterPipePart*>(pipe->GetSection(0));
                const TSectionResult* v = section ? results.Find(section) : nullptr;
                pressure = v ? v->P1 : 0;
            } else if (b->EndUzel() == &uzel && pipe->EndFrac() >= 1) {
                section = dynamic_cast<const TWaterPipePart*>(pipe->GetSection(pipe->SectionCount() - 1));
                const TSectionResult* v = section ? results.Find(section) : nullptr;
                pressure = v ? v->P2 : 0;
            }
        }
        if (section && section->SectionLength() <= 0)
            return QString();
        if (section)
            lines << Line("P: ", pressure);
    }
    Add(lines, bits & rbZ, Line("Z: ", uzel.Z()));
    return lines.join(QLatin1Char('\n'));
}

QString DeviceResult(const TDevice& device, quint16 bits, const THydroResults& results)
{
    const int kind = device.GetKind();
    if (kind != dkPump && kind != dkReducer && kind != dkCrane && kind != dkJetBreakTank && kind != dkFireMachine)
        return QString();
    if (!results.PipeHasResults(device.Pipe()))
        return QString();
    QStringList lines;
    const TSectionResult* own = device.Section() ? results.Find(device.Section()) : nullptr;
    const TSectionResult* incoming = device.IncomingSection() ? results.Find(device.IncomingSection()) : nullptr;
    // The calculation's own pressures at the device where it holds them: a pump's suction
    // at a surface source has no section before it, yet a pressure.
    const TDeviceResult* row = results.FindDevice(&device);
    double hydrant = 0;
    if (bits & rbP) {
        if (kind == dkCrane && results.HydrantPressure(static_cast<const TCrane&>(device), hydrant))
            lines << Line("P: ", hydrant);
        else if (row && kind != dkCrane)
            lines << Pair("P: ", row->PBefore, row->PAfter);
        else if (own || incoming)
            lines << (kind == dkCrane || !own || !incoming ? Line("P: ", incoming ? incoming->P2 : own->P1)
                                                           : Pair("P: ", incoming->P2, own->P1));
    }
    if (bits & rbManometer) {
        if (const auto* pump = dynamic_cast<const TPump*>(&device))
            lines << Pair("M: ", pump->Manometer(1), pump->Manometer(2));
        else if (const auto* reducer = dynamic_cast<const TReducer*>(&device))
            lines << Pair("M: ", reducer->Manometer(1), reducer->Manometer(2));
        else if (const auto* crane = dynamic_cast<const TCrane*>(&device))
            lines << Line("M: ", crane->Manometer());
        else if (const auto* tank = dynamic_cast<const TJetBreakTank*>(&device))
            lines << Line("M: ", tank->Manometer());
        else if (const auto* engine = dynamic_cast<const TFireMachine*>(&device))
            lines << Line("M: ", engine->Manometer());
    }
    Add(lines, bits & rbZ, Line("Z: ", device.GetZ()));
    return lines.join(QLatin1Char('\n'));
}

}  // namespace ResultTexts
