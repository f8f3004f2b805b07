#include "core/devices/AllDevicesTable.h"

#include "core/tables/TableCells.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include <QLocale>

#include <algorithm>

namespace AllDevicesTable {

namespace {

QString Fixed(double value, int decimals) { return TableCells::FixedText(value, decimals); }
QString Shortest(double value) { return QString::number(value, 'g', QLocale::FloatingPointShortest); }
QString Towards(int direction) { return direction == 0 ? QStringLiteral("В конец") : QStringLiteral("В начало"); }

QString BranchText(const TDevice& device)
{
    const TBranch* b = device.Branch();
    if (!b)
        return QString();
    return QStringLiteral("%1\t(%2, %3)\t%4").arg(b->Number()).arg(b->StartNumber()).arg(b->EndNumber()).arg(b->Remark());
}

bool PassesState(const TDevice& d, const TAllDevicesFilter& f)
{
    switch (d.GetKind()) {
    case dkPump: {
        const bool off = static_cast<const TPump&>(d).Off();
        return off ? f.PumpsOff : f.PumpsOn;
    }
    case dkReducer: {
        const bool off = static_cast<const TReducer&>(d).Off();
        return off ? f.ReducersOff : f.ReducersOn;
    }
    case dkGate:
        return !f.OnlyClosedGates || static_cast<const TGate&>(d).Closed();
    case dkCrane: {
        const auto& crane = static_cast<const TCrane&>(d);
        return !f.OnlyConsumers || (crane.Consumption() && crane.Flow() != 0);
    }
    case dkJetBreakTank:
        return static_cast<const TJetBreakTank&>(d).Bypass() ? f.TanksWithBypass : f.TanksWithoutBypass;
    default:
        return true;
    }
}

void AppendPipe(std::vector<TDevice*>& out, const TPipe* pipe)
{
    if (const auto* water = dynamic_cast<const TWaterPipe*>(pipe); water && !water->Present())
        return;
    for (int i = 0; i < pipe->Devices.Count(); ++i)
        out.push_back(pipe->Devices.Items(i));
}

}  // namespace

std::vector<TBranch*> ListBranches(const TMine& mine, const TAllDevicesFilter& filter)
{
    std::vector<TBranch*> listed;
    for (TBranch* b : mine.Branches)
        if ((filter.Seam < 0 || b->LayerIndex() == filter.Seam) && (filter.Position < 0 || b->PLFIndex() == filter.Position))
            listed.push_back(b);
    return listed;
}

std::vector<TDevice*> Collect(const std::vector<TBranch*>& listed, const TAllDevicesFilter& filter, bool allBranches)
{
    std::vector<TDevice*> devices;
    for (const TBranch* b : listed) {
        if (!allBranches && !b->Selected())
            continue;
        const int count = b->Pipes.Count();
        if (filter.PipeEntry >= 0 && filter.PipeEntry <= 2) {
            if (filter.PipeEntry < count)
                AppendPipe(devices, b->Pipes.Items(filter.PipeEntry));
        } else {
            for (int slot = filter.PipeEntry == kEveryPipe ? 0 : 3; slot < count; ++slot)
                AppendPipe(devices, b->Pipes.Items(slot));
        }
    }
    std::erase_if(devices, [&](const TDevice* d) {
        return (filter.KindCode != 0 && d->GetKind() != filter.KindCode) || !PassesState(*d, filter);
    });
    return devices;
}

QStringList Headings(int kindCode)
{
    QStringList own;
    switch (kindCode) {
    case dkPump: own = {"Модель", "Q1,\r\nм3/ч", "H1,\r\nм", "Q2,\r\nм3/ч", "H2,\r\nм", "Направление"}; break;
    case dkReducer: own = {"Модель", "Направление"}; break;
    case dkGate: own = {"Состояние"}; break;
    case dkCrane: own = {"Состояние", "Расход,\r\nм3/ч", "Потребитель"}; break;
    case dkJetBreakTank: own = {"Объем,\r\nм3", "Обвод", "Подпитка,\r\nм3/ч", "Доп.давл.,\r\nм"}; break;
    case dkVacuumPump: own = {"Давление 1,\r\nм", "Расход 1,\r\nм3/ч", "Давление 2,\r\nм", "Расход 2,\r\nм3/ч"}; break;
    case dkSlit: own = {"В кусте"}; break;
    case dkConnection: own = {"Q,\r\nм3/мин", "C,\r\n%", "T,\r\n°C"}; break;
    case dkNumberDev: break;
    case dkFireMachine: own = {"Доп.давл,\r\nм", "Объем\r\nм3"}; break;
    default: own = {"Тип"}; break;
    }
    return QStringList{"ВСЕ", "Номер"} + own + QStringList{"Выработка"};
}

QStringList Cells(const TDevice& d, int kindCode, int row)
{
    QStringList own;
    // A device of another kind than the table's (it cannot be listed there) shows blanks.
    const bool same = kindCode == 0 || d.GetKind() == kindCode;
    switch (same ? kindCode : -1) {
    case 0: own = {d.KindName()}; break;
    case dkPump: {
        const auto& p = static_cast<const TPump&>(d);
        own = {p.Model(), Fixed(p.Q1(), 2), Fixed(p.H1(), 2), Fixed(p.Q2(), 2), Fixed(p.H2(), 2), Towards(p.HeadDirection())};
        break;
    }
    case dkReducer: {
        const auto& r = static_cast<const TReducer&>(d);
        own = {r.Model(), Towards(r.Direction())};
        break;
    }
    case dkGate: own = {static_cast<const TGate&>(d).Closed() ? "Закрыто" : "Открыто"}; break;
    case dkCrane: {
        static const char* const kConsumers[] = {"Пожарный ствол", "Вод. завеса", "АУП", "Тех. нужды"};
        const auto& c = static_cast<const TCrane&>(d);
        const int type = c.ConsumerType();
        own = {c.Consumption() ? "Открыто" : "Закрыто", Fixed(c.Flow(), 2),
               type >= 0 && type < 4 ? QString::fromUtf8(kConsumers[type]) : QString()};
        break;
    }
    case dkJetBreakTank: {
        const auto& t = static_cast<const TJetBreakTank&>(d);
        own = {Fixed(t.Volume(), 1), t.Bypass() ? "Да" : "Нет", Fixed(t.MakeUpFlow(), 1), Fixed(t.AddPressure(), 1)};
        break;
    }
    case dkVacuumPump: {
        const auto& v = static_cast<const TVacuumPump&>(d);
        own = {QString::number(v.P1()), QString::number(v.Q1()), QString::number(v.P2()), QString::number(v.Q2())};
        break;
    }
    case dkSlit: own = {QString::number(static_cast<const TSlit&>(d).WellCount())}; break;
    case dkConnection: {
        const auto& c = static_cast<const TConnection&>(d);
        own = {Fixed(c.MixtureFlow(), 2), Fixed(c.MethaneConcentration(), 2), Fixed(c.Temperature(), 2)};
        break;
    }
    case dkFireMachine: {
        const auto& m = static_cast<const TFireMachine&>(d);
        own = {Shortest(m.AddPressure()), Shortest(m.Volume())};
        break;
    }
    default:
        for (int i = 3; i < Headings(kindCode).size(); ++i)
            own << QString();
        break;
    }
    return QStringList{QString::number(row), QString::number(d.Number())} + own + QStringList{BranchText(d)};
}

std::vector<int> InitialWidths(int kindCode)
{
    static const std::vector<int> kWidths[] = {
        {50, 110}, {50, 80, 40, 40, 40, 40, 85}, {50, 80, 110}, {50, 80}, {50, 80, 50, 100}, {50, 50, 45, 60, 70},
        {50, 70, 70, 70, 70}, {50, 50}, {50, 70, 70, 70}, {50}, {50, 50, 50},
    };
    return kindCode >= 0 && kindCode <= kDeviceKindCount ? kWidths[kindCode] : kWidths[0];
}

TOrder OrderForColumn(int kindCode, int column, TOrder current)
{
    const int last = int(Headings(kindCode).size()) - 1;
    if (column == 1)
        return TOrder::Number;
    if (column == last)
        return TOrder::Branch;
    switch (kindCode) {
    case 0: return column == 2 ? TOrder::Kind : current;
    case dkGate: return column == 2 ? TOrder::GateClosed : current;
    case dkCrane:
        return column == 2 ? TOrder::CraneConsumption : column == 3 ? TOrder::CraneFlow
                                                    : column == 4 ? TOrder::CraneConsumer : current;
    case dkFireMachine: return column == 2 ? TOrder::EngineAddPressure : column == 3 ? TOrder::EngineVolume : current;
    default: return current;
    }
}

void Sort(std::vector<TDevice*>& devices, TOrder order)
{
    auto branchNumber = [](const TDevice* d) { return d->Branch() ? d->Branch()->Number() : 0; };
    // The kind's own value of a device; devices of another kind sort first.
    auto key = [&](const TDevice* d) -> double {
        switch (order) {
        case TOrder::Kind: return d->GetKind();
        case TOrder::GateClosed: return d->GetKind() == dkGate && static_cast<const TGate*>(d)->Closed();
        case TOrder::CraneConsumption: return d->GetKind() == dkCrane && static_cast<const TCrane*>(d)->Consumption();
        case TOrder::CraneFlow: return d->GetKind() == dkCrane ? static_cast<const TCrane*>(d)->Flow() : 0;
        case TOrder::CraneConsumer: return d->GetKind() == dkCrane ? static_cast<const TCrane*>(d)->ConsumerType() : 0;
        case TOrder::EngineAddPressure:
            return d->GetKind() == dkFireMachine ? static_cast<const TFireMachine*>(d)->AddPressure() : 0;
        case TOrder::EngineVolume: return d->GetKind() == dkFireMachine ? static_cast<const TFireMachine*>(d)->Volume() : 0;
        default: return 0;
        }
    };
    switch (order) {
    case TOrder::None: return;
    case TOrder::Number:
        std::stable_sort(devices.begin(), devices.end(), [&](const TDevice* a, const TDevice* b) {
            return a->Number() != b->Number() ? a->Number() < b->Number() : branchNumber(a) < branchNumber(b);
        });
        return;
    case TOrder::Branch:
        std::stable_sort(devices.begin(), devices.end(),
                         [&](const TDevice* a, const TDevice* b) { return branchNumber(a) < branchNumber(b); });
        return;
    default:
        std::stable_sort(devices.begin(), devices.end(), [&](const TDevice* a, const TDevice* b) { return key(a) < key(b); });
        return;
    }
}

QString Question(TGroupCommand command)
{
    switch (command) {
    case TGroupCommand::OpenAllGates: return QStringLiteral("Открыть все задвижки во всей шахте?");
    case TGroupCommand::CloseAllCranes: return QStringLiteral("Закрыть все краны во всей шахте?");
    case TGroupCommand::SwitchOffAllPumps: return QStringLiteral("Отключить все насосы во всей шахте?");
    case TGroupCommand::SwitchOffAllReducers: return QStringLiteral("Отключить все редукторы во всей шахте?");
    }
    return QString();
}

int Apply(TMine& mine, TGroupCommand command)
{
    int changed = 0;
    auto change = [&changed](auto& device, auto getter, auto setter, bool value) {
        if ((device.*getter)() != value) {
            (device.*setter)(value);
            ++changed;
        }
    };
    // "…во всей шахте": every pipe of every branch, not only the fire-fighting ones.
    for (TBranch* b : mine.Branches)
        for (TPipe* pipe : b->Pipes)
            for (int i = 0; i < pipe->Devices.Count(); ++i) {
                TDevice* d = pipe->Devices.Items(i);
                switch (command) {
                case TGroupCommand::OpenAllGates:
                    if (auto* g = dynamic_cast<TGate*>(d))
                        change(*g, &TGate::Closed, &TGate::SetClosed, false);
                    break;
                case TGroupCommand::CloseAllCranes:
                    if (auto* c = dynamic_cast<TCrane*>(d))
                        change(*c, &TCrane::Consumption, &TCrane::SetConsumption, false);
                    break;
                case TGroupCommand::SwitchOffAllPumps:
                    if (auto* p = dynamic_cast<TPump*>(d))
                        change(*p, &TPump::Off, &TPump::SetOff, true);
                    break;
                case TGroupCommand::SwitchOffAllReducers:
                    if (auto* r = dynamic_cast<TReducer*>(d))
                        change(*r, &TReducer::Off, &TReducer::SetOff, true);
                    break;
                }
            }
    return changed;
}

namespace {

template <class T>
void Toggle(TMine& mine, const std::vector<T*>& listed)
{
    const bool all = std::all_of(listed.begin(), listed.end(), [](const T* o) { return o->Selected(); });
    if (all) {
        for (T* o : listed)
            mine.Selection.Remove(o);
        return;
    }
    mine.Selection.RemoveClass<T>();
    for (T* o : listed)
        mine.Selection.Add(o);
}

}  // namespace

void ToggleAll(TMine& mine, const std::vector<TBranch*>& listed) { Toggle(mine, listed); }
void ToggleAll(TMine& mine, const std::vector<TDevice*>& listed) { Toggle(mine, listed); }

void SelectOnly(TMine& mine, const std::vector<TBranch*>& listed)
{
    mine.Selection.RemoveClass<TBranch>();
    for (TBranch* b : listed)
        mine.Selection.Add(b);
}

QString DeleteQuestion(const TDevice& device)
{
    return QStringLiteral("Удалить %1 \"%2\"?").arg(device.KindName(), device.Model());
}

int KindCodeOf(const QString& name)
{
    const QString wanted = name.trimmed();
    bool number = false;
    const int code = wanted.toInt(&number);
    if (number)
        return code >= 0 && code <= kDeviceKindCount ? code : -1;
    for (int k = 0; k <= kDeviceKindCount; ++k)
        if (wanted.compare(TDevice::KindName(k), Qt::CaseInsensitive) == 0 ||
            wanted.compare(TDevice::KindFilterName(k), Qt::CaseInsensitive) == 0)
            return k;
    return -1;
}

}  // namespace AllDevicesTable
