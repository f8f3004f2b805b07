#include "core/editing/ObjectProperties.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Pipe.h"

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

QString Fixed(double value, int decimals) { return QString::number(value, 'f', decimals); }

}  // namespace ObjectProperties
