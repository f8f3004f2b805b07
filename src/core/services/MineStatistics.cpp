#include "core/services/MineStatistics.h"

#include "core/file/VersionTable.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

namespace MineStatistics {

namespace {

QString Count(long long n) { return QString::number(n); }
QString Metres(double m) { return QString::asprintf("%.1f м", m); }

struct TBranchCounts {
    int Horizontal = 0;
    int Inclined = 0;
    int Vertical = 0;
    int DeadEnds = 0;
    double Length = 0;
};

TBranchCounts CountBranches(const TMine& mine)
{
    TBranchCounts c;
    for (const TBranch* b : mine.Branches) {
        c.Length += b->Length();
        // A branch missing an end has no inclination to speak of and no dead end.
        if (!b->Linked())
            continue;
        const double angle = b->Angle();
        if (SameDouble(angle, 0))
            ++c.Horizontal;
        else if (SameDouble(angle, 90))
            ++c.Vertical;
        else
            ++c.Inclined;
        if (b->StartUzel()->IncidentCount() == 1 || b->EndUzel()->IncidentCount() == 1)
            ++c.DeadEnds;
    }
    return c;
}

struct TDeviceCounts {
    int Pumps = 0, PumpsOff = 0, Reducers = 0, Tanks = 0, TanksBypass = 0;
    int Cranes = 0, Consumers = 0, Gates = 0, GatesClosed = 0, FireMachines = 0;
    double Consumption = 0;
};

TDeviceCounts CountDevices(const TMine& mine)
{
    TDeviceCounts c;
    for (const TBranch* b : mine.Branches) {
        const TWaterPipe* pipe = b->FirePipe();
        if (!pipe->Present())
            continue;
        for (const TDevice* d : pipe->Devices) {
            switch (d->GetKind()) {
            case dkPump:
                ++c.Pumps;
                c.PumpsOff += static_cast<const TPump*>(d)->Off();
                break;
            case dkReducer:
                ++c.Reducers;
                break;
            case dkJetBreakTank:
                ++c.Tanks;
                c.TanksBypass += static_cast<const TJetBreakTank*>(d)->Bypass();
                break;
            case dkCrane: {
                const auto* crane = static_cast<const TCrane*>(d);
                ++c.Cranes;
                if (crane->Consumption()) {
                    ++c.Consumers;
                    c.Consumption += crane->Flow();
                }
                break;
            }
            case dkGate:
                ++c.Gates;
                c.GatesClosed += static_cast<const TGate*>(d)->Closed();
                break;
            case dkFireMachine:
                ++c.FireMachines;
                break;
            default:
                break;
            }
        }
    }
    return c;
}

}  // namespace

std::vector<TStatisticsRow> Rows(const TMine& mine, const QString& filePath, int formatVersion)
{
    std::vector<TStatisticsRow> rows;
    const auto row = [&rows](const QString& caption, const QString& value, bool bold = false) {
        rows.push_back({caption, value, bold});
    };
    const auto gap = [&rows] { rows.push_back({}); };

    row(QStringLiteral("Шахта"), mine.Name(), true);
    row(QStringLiteral("Файл"), filePath);
    row(QStringLiteral("Формат файла"), VersionText(formatVersion));
    gap();
    row(QStringLiteral("Пластов"), Count(mine.Layers.Count()), true);
    gap();
    int surface = 0;
    for (const TUzel* u : mine.Uzels)
        surface += u->Surface();
    row(QStringLiteral("Всего узлов"), Count(mine.Uzels.Count()), true);
    row(QStringLiteral("   поверхностных"), Count(surface));
    gap();

    const TBranchCounts branches = CountBranches(mine);
    row(QStringLiteral("Всего ветвей"), Count(mine.Branches.Count()), true);
    row(QStringLiteral("   горизонтальных"), Count(branches.Horizontal));
    row(QStringLiteral("   наклонных"), Count(branches.Inclined));
    row(QStringLiteral("   вертикальных"), Count(branches.Vertical));
    row(QStringLiteral("   тупиков"), Count(branches.DeadEnds));
    row(QStringLiteral("Суммарная длина"), Metres(branches.Length));
    gap();

    // The pipes are counted here rather than taken from the colour table, whose counts
    // include pipes that are not laid once the mine was saved and read back.
    const int diameters = mine.DiamColors.Count();
    std::vector<long long> pipesOf(static_cast<size_t>(diameters), 0);
    std::vector<double> lengthOf(static_cast<size_t>(diameters), 0);
    int withPipe = 0;
    double pipeLength = 0;
    for (const TBranch* b : mine.Branches) {
        const TWaterPipe* pipe = b->FirePipe();
        if (!pipe->Present())
            continue;
        ++withPipe;
        const double length = pipe->PipeLength();
        pipeLength += length;
        if (const int i = mine.DiamColors.IndexOfDiameter(pipe->Diameter()); i >= 0) {
            ++pipesOf[static_cast<size_t>(i)];
            lengthOf[static_cast<size_t>(i)] += length;
        }
    }
    const auto diameterCaption = [&mine](int i) {
        return QStringLiteral("      d = %1 мм").arg(mine.DiamColors.Entry(i).Diameter);
    };
    row(QStringLiteral("Пожарно-оросительный трубопровод"), QString(), true);
    row(QStringLiteral("   всего ветвей с трубопроводом"), Count(withPipe));
    for (int i = 0; i < diameters; ++i)
        row(diameterCaption(i), Count(pipesOf[static_cast<size_t>(i)]));
    row(QStringLiteral("   длина трубопровода"), Metres(pipeLength));
    for (int i = 0; i < diameters; ++i)
        row(diameterCaption(i), Metres(lengthOf[static_cast<size_t>(i)]));

    const TDeviceCounts d = CountDevices(mine);
    row(QStringLiteral("   всего насосов"), Count(d.Pumps));
    row(QStringLiteral("      выключенных"), Count(d.PumpsOff));
    row(QStringLiteral("   всего редукторов"), Count(d.Reducers));
    row(QStringLiteral("   всего резервуаров (БРС)"), Count(d.Tanks));
    row(QStringLiteral("      с подачей по обводной трубе"), Count(d.TanksBypass));
    row(QStringLiteral("   всего кранов"), Count(d.Cranes));
    row(QStringLiteral("     потребителей"), Count(d.Consumers));
    row(QStringLiteral("     всего потребляемой воды"), QString::asprintf("%.1f м3/ч", d.Consumption));
    row(QStringLiteral("   всего задвижек"), Count(d.Gates));
    row(QStringLiteral("     закрытых"), Count(d.GatesClosed));
    row(QStringLiteral("   всего пожарных машин"), Count(d.FireMachines));
    return rows;
}

}  // namespace MineStatistics
