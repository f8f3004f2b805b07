#include "render/schema2d/DeviceLook.h"

#include "core/model/DeviceKinds.h"
#include "core/model/Pipe.h"
#include "render/schema2d/SymbolShapes.h"

#include <QStringList>

#include <cmath>

namespace {

// Numbers in labels always use a point, whatever the process locale.
QString Fixed(double value, int decimals) { return QString::number(value, 'f', decimals); }

QString YesNo(bool value) { return value ? QStringLiteral("Да") : QStringLiteral("Нет"); }

QString CraneParameters(const TCrane& crane)
{
    QStringList lines;
    if (crane.Consumption())
        lines << QStringLiteral("Q=") + Fixed(crane.Flow(), 0);
    if (crane.Orifice())
        lines << QStringLiteral("D=") + Fixed(crane.OrificeDiameter(), 1);
    return lines.join(QLatin1Char('\n'));
}

QString Parameters(const TDevice& device)
{
    switch (device.GetKind()) {
    case dkPump:
        return static_cast<const TPump&>(device).Off() ? QStringLiteral("Откл") : QStringLiteral("Вкл");
    case dkReducer: {
        const auto& reducer = static_cast<const TReducer&>(device);
        return reducer.Model() + QLatin1Char('\n') + QStringLiteral("Pзап = ") + Fixed(reducer.LockingPressure(), 1);
    }
    case dkGate:
        return static_cast<const TGate&>(device).Closed() ? QStringLiteral("Закр") : QStringLiteral("Откр");
    case dkCrane:
        return CraneParameters(static_cast<const TCrane&>(device));
    case dkJetBreakTank: {
        const auto& tank = static_cast<const TJetBreakTank&>(device);
        return QStringLiteral("V = ") + Fixed(tank.Volume(), 1) + QStringLiteral("(обвод: ") + YesNo(tank.Bypass()) +
               QLatin1Char(')');
    }
    case dkFireMachine: {
        const auto& engine = static_cast<const TFireMachine&>(device);
        return QStringLiteral("V = ") + Fixed(engine.Volume(), 1) + QStringLiteral("; AddP = ") +
               Fixed(engine.AddPressure(), 1);
    }
    default:
        return QString();
    }
}

}  // namespace

QColor DeviceStateColor(const TDevice& device)
{
    switch (device.GetKind()) {
    case dkPump:
        return static_cast<const TPump&>(device).Off() ? kDeviceBlue : kDeviceRed;
    case dkReducer:
        return static_cast<const TReducer&>(device).Off() ? kDeviceBlue : kDeviceRed;
    case dkGate: {
        if (static_cast<const TGate&>(device).Closed())
            return kDeviceBlue;
        const TPipe* pipe = device.Pipe();
        return pipe && pipe->Kind() == pkGas ? kGasGateGreen : kDeviceRed;
    }
    case dkCrane: {
        const auto& crane = static_cast<const TCrane&>(device);
        return crane.Consumption() && crane.Flow() > 0 ? kDeviceBlue : kDeviceRed;
    }
    case dkJetBreakTank:
        return QColor(Qt::white);
    default:
        return kDeviceRed;
    }
}

int DeviceMinimumLength(const TDevice& device)
{
    switch (device.GetKind()) {
    case dkPump: return 3;
    case dkReducer: return 8;
    case dkGate: return 8;
    case dkCrane:
        // Half the symbol's extent along the branch, like the other kinds: 3 for the fire
        // nozzle, 5 for the water curtain and technological needs, 7 for the installation.
        return static_cast<int>(std::ceil(SymbolBounds(SymbolOf(device)).width() / 2));
    case dkJetBreakTank: return 5;
    case dkFireMachine: return 3;
    case dkVacuumPump: return 3;
    case dkNumberDev: return 3;
    case dkConnection: return 0;
    case dkSlit: return 6;
    default: return 3;
    }
}

QString DeviceInfoText(const TDevice& device, int devInfo)
{
    switch (devInfo) {
    case 1: return QString::number(device.Number());
    case 2: return device.Model();
    case 3: return Parameters(device);
    case 4: return device.PPZNumber();
    default: return QString();
    }
}
