#include "core/schema/ObjectProperties.h"

#include "core/hydraulics/HydroResults.h"
#include "core/tables/TableCells.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"

namespace ObjectProperties {

std::vector<const TPipe*> ListedPipes(const TBranch& branch)
{
    std::vector<const TPipe*> pipes;
    for (const TPipe* pipe : branch.Pipes) {
        const auto* water = dynamic_cast<const TWaterPipe*>(pipe);
        // Gas pipes are listed too: they carry devices and sizes of their own.
        if (!water || water->Present())
            pipes.push_back(pipe);
    }
    return pipes;
}

QString PipeName(const TPipe& pipe)
{
    if (const auto* gas = dynamic_cast<const TGasPipe*>(&pipe))
        return QStringLiteral("газопровод №%1").arg(gas->PipeNo());
    switch (pipe.SlotIndex()) {
    case 0: return QStringLiteral("пожарно-оросительный");
    case 1: return QStringLiteral("водоотливный");
    case 2: return QStringLiteral("воздухопроводный");
    default: return QString();
    }
}

QString Placement(const TPipe& pipe)
{
    const bool fromStart = pipe.StartFrac() <= 0;
    const bool toEnd = pipe.EndFrac() >= 1;
    if (fromStart && toEnd)
        return QStringLiteral("Сквозное");
    if (!fromStart && toEnd)
        return QStringLiteral("От конечного узла");
    if (fromStart && !toEnd)
        return QStringLiteral("От начального узла");
    return QString();
}

QString ResistanceText(const TWaterPipe& pipe)
{
    if (pipe.ResistanceMode() == 1)
        return QStringLiteral("Удельное сопротивление: %1 с2/м6 ").arg(Fixed(pipe.FixedResistance(), 2));
    return QStringLiteral("Удельное сопротивление расчитано по СНИП 2.04.02.84 для ") +
           (pipe.NotNew() ? QStringLiteral("неновых труб") : QStringLiteral("новых труб"));
}

QString DeviceLine(const TDevice& device) { return QStringLiteral("%1 %2").arg(device.KindName()).arg(device.Number()); }

QString DistanceText(const TDevice& device, bool fromStart)
{
    const TBranch* branch = device.Branch();
    const double length = branch ? branch->Length() : 0;
    const double share = fromStart ? device.Position() : 1 - device.Position();
    return QStringLiteral("%1 м, (%2%)").arg(Fixed(share * length), Fixed(share * 100));
}

QString DirectionText(int direction)
{
    return direction == 0 ? QStringLiteral("к конечному узлу") : QStringLiteral("к начальному узлу");
}

QString ConsumerText(int type)
{
    static const char* const kTypes[] = {"Пожарный ствол", "Водяная завеса", "АУП", "Технологические нужды"};
    return type >= 0 && type < 4 ? QString::fromUtf8(kTypes[type]) : QString();
}

double SectionQuantity(const TWaterPipePart& s, const TSectionResult& v, int index)
{
    switch (index) {
    case 0: return v.Q;
    case 1: return s.SectionVelocity(v.Q);
    case 2: return v.R;
    case 3: return s.SectionGradient(v.R, v.Q);
    case 4: return v.P2 - v.P1;
    case 5: return s.SectionDZ();
    case 6: return v.DeltaP;
    case 7: return v.P1;
    case 8: return v.P2;
    case 9: return s.SectionLength();
    case 10: return s.SectionLK();
    default: return 0;
    }
}

namespace {

const char* const kHints[kSectionQuantities] = {
    "Расход воды (м3/ч)", "Скорость (м/с)", "Сопротивление (с2/м5)", "Гидравлический уклон (с2/м6)",
    "Перепад давлений", "Разность высотных отметок (м)", "Потери напора", "Давление в нач. узле (м)",
    "Давление в конеч. узле (м)", "Длина (м)", "Длина*K (м)"};
const char* const kAxisTitles[kSectionQuantities] = {
    "Расход, м3/час", "Скорость, м/c", "Сопротивление, м вод.ст", "Гидравлический уклон, с2/м6",
    "Перепад давлений, м", "Перепад высот, м", "Потери напора, м", "Давление в нач. узле, м",
    "Давление в конеч. узле, м", "Длина, м", "Длина*Коэффициент местн. сопр, м"};

}  // namespace

QString QuantityHint(int index)
{
    return index >= 0 && index < kSectionQuantities ? QString::fromUtf8(kHints[index]) : QString();
}

QString QuantityAxisTitle(int index)
{
    return index >= 0 && index < kSectionQuantities ? QString::fromUtf8(kAxisTitles[index]) : QString();
}

QString SectionBarLabel(const TWaterPipePart& section)
{
    return QStringLiteral("%1-%2").arg(section.SectionEndNumbers(1)).arg(section.SectionEndNumbers(2));
}

QString Fixed(double value, int decimals) { return TableCells::FixedText(value, decimals); }

bool UzelPressure(const TUzel& uzel, const THydroResults& results, double& pressure)
{
    bool found = false;
    for (int k = 0; k < uzel.Branches.Count(); ++k) {
        const TBranch* b = uzel.Branches.Items(k);
        const TWaterPipe* fire = b->FirePipe();
        if (!fire || !fire->Present() || fire->SectionCount() == 0 || !results.PipeHasResults(fire))
            continue;
        auto take = [&](const TPipePart* section, bool atStart) {
            const TSectionResult* v = section ? results.Find(section) : nullptr;
            if (v && section->SectionLength() > 0) {
                pressure = atStart ? v->P1 : v->P2;
                found = true;
            }
        };
        if (b->StartUzel() == &uzel && fire->StartFrac() <= 0)
            take(fire->GetSection(0), true);
        if (b->EndUzel() == &uzel && fire->EndFrac() >= 1)
            take(fire->GetSection(fire->SectionCount() - 1), false);
    }
    return found;
}

bool BranchEndPressure(const TBranch& branch, bool start, const THydroResults& results, double& pressure)
{
    const TWaterPipe* fire = branch.FirePipe();
    if (!fire || !fire->Present() || !results.PipeHasResults(fire))
        return false;
    const int n = fire->SectionCount();
    if (n == 0 || (start ? fire->StartFrac() > 0 : fire->EndFrac() < 1))
        return false;
    int i = start ? 0 : n - 1;
    if (fire->GetSection(i)->SectionLength() <= 0 && n > 1)
        i += start ? 1 : -1;
    const TSectionResult* v = results.Find(fire->GetSection(i));
    if (!v)
        return false;
    pressure = start ? v->P1 : v->P2;
    return true;
}

bool DevicePressure(const TDevice& device, const THydroResults& results, double& pressure)
{
    if (!results.PipeHasResults(device.Pipe()))
        return false;
    if (const auto* hydrant = dynamic_cast<const TCrane*>(&device))
        return results.HydrantPressure(*hydrant, pressure);
    if (const TSectionResult* v = device.Section() ? results.Find(device.Section()) : nullptr) {
        pressure = v->P1;
        return true;
    }
    if (const TDeviceResult* row = results.FindDevice(&device)) {
        pressure = row->PAfter;
        return true;
    }
    return false;
}

}  // namespace ObjectProperties
