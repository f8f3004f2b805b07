#include "core/checks/CheckPhases.h"
#include "core/checks/CheckRun.h"
#include "core/checks/PipeEnds.h"
#include "core/checks/SlotView.h"
#include "core/checks/SourceReachability.h"

#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace {

QByteArray KindText(const TDevice* d) { return d->KindName().toUtf8(); }

bool IsZero(double value) { return std::fabs(value) <= 1e-12; }

// The pipe and device checks of one slot; see CheckPipeSlot.
class TPipeSlotCheck {
public:
    TPipeSlotCheck(TCheckRun& run, TMine& mine, int slot, bool requireData)
        : run_(run), mine_(mine), view_(mine, slot, run.Options.UseProjectedPipes), requireData_(requireData)
    {
    }

    void Run()
    {
        TMessageList& list = run_.List;
        const int errorsBefore = list.ErrorCount();
        const int warningsBefore = list.WarningCount();
        const int slot = view_.Slot();
        const TInfoDeviceList* devices =
            slot >= 0 && slot <= 2 ? &mine_.DevicesByPipeKind[static_cast<size_t>(slot)] : nullptr;

        // Automatic closing is decided afresh by every run.
        if (devices)
            for (TDevice* d : *devices)
                if (d->GetKind() == dkGate)
                    static_cast<TGate*>(d)->ClosedAutomatically = false;

        CheckBranches();
        CheckDevicesAtUzels();
        if (devices) {
            CheckPumps(*devices);
            CheckFireMachines(*devices);
            CheckReducers(*devices);
            CheckTanks(*devices);
            CheckJunctionDevices(*devices);
            TSourceReachability(run_, view_, *devices).Run();
        }
        if (run_.Options.ShowWarnings) {
            if (devices) {
                WarnDevicesWithoutPipe();
                WarnDeviceSettings(*devices);
            } else {
                run_.Advance(mine_.Branches.Count());
            }
        }
        list.ClosePhase(list.ErrorCount() == errorsBefore && list.WarningCount() == warningsBefore);
    }

private:
    void CheckBranches()
    {
        bool hasData = false;
        for (int i = 0; i < mine_.Branches.Count(); ++i) {
            if (!view_.ActiveAt(i))
                continue;
            hasData = true;
            CheckBranch(mine_.Branches.Items(i), view_.PipeAt(i));
        }
        run_.Advance(mine_.Branches.Count());
        if (requireData_ && !hasData)
            run_.Error(QStringLiteral("отсутствуют исходные данные для расчета"));
    }

    void CheckBranch(TBranch* b, TPipe* pipe)
    {
        const int number = b->Number();
        if (pipe->StartFrac() == pipe->EndFrac())
            run_.Error(QString::asprintf("выработка %d - длина участка трубопровода = 0", number), b);
        if (pipe->ResistanceMode() == 1 && pipe->FixedResistance() == 0)
            run_.Error(QString::asprintf("выработка %d - удельное сопротивление трубы = 0", number), b);

        const bool deadStart = IsDeadPipeEnd(view_, b, pipe, true);
        const bool deadEnd = IsDeadPipeEnd(view_, b, pipe, false);
        if (view_.IsGas())
            CheckGasEnds(b, static_cast<TGasPipe*>(pipe), deadStart, deadEnd);
        else
            for (const auto& [dead, atStart] : {std::pair{deadStart, true}, std::pair{deadEnd, false}})
                if (dead && !IsTerminatedWaterEnd(pipe, atStart))
                    run_.Error(QString::asprintf("выработка %d - на конце трубы отсутствуют насос, пож. машина, закрытая "
                                                 "задвижка, кран или резервуар(БРС)",
                                                 number),
                               b);

        CheckCoincidingDevices(b, pipe);

        if (pipe->Diameter() == 0)
            run_.Error(QString::asprintf("выработка %d - диаметр трубопровода = 0", number), b);
        if (view_.IsGas()) {
            const auto* gas = static_cast<const TGasPipe*>(pipe);
            if (gas->MixtureFlow() <= 0 || gas->MethaneConcentration() <= 0)
                run_.Error(QString::asprintf("выработка %d - не указаны расход или концентрация смеси в газопроводе %d",
                                             number, gas->PipeNo()),
                           b);
        } else if (static_cast<const TWaterPipe*>(pipe)->K() < 1) {
            run_.Error(QString::asprintf("выработка %d - коэффициент местного сопротивления трубы меньше значения 1", number), b);
        }
    }

    void CheckGasEnds(TBranch* b, const TGasPipe* pipe, bool deadStart, bool deadEnd)
    {
        const auto& devices = pipe->Devices;
        if (deadStart && pipe->StartFrac() != 0 &&
            (devices.IsEmpty() || devices.First()->Position() != pipe->StartFrac()))
            run_.Error(QString::asprintf("выработка %d - газопровод %d не доведен до узла %d и отсутствуют устройства на его конце",
                                         b->Number(), pipe->PipeNo(), b->StartNumber()),
                       b);
        if (deadEnd && pipe->EndFrac() != 1 && (devices.IsEmpty() || devices.Last()->Position() != pipe->EndFrac()))
            run_.Error(QString::asprintf("выработка %d - газопровод %d не доведен до узла %d и отсутствуют устройства на его конце",
                                         b->Number(), pipe->PipeNo(), b->EndNumber()),
                       b);
    }

    // Devices standing at one position: the first of them in list order is named with
    // each of the others, and the finding leads to the other one.
    void CheckCoincidingDevices(TBranch* b, const TPipe* pipe)
    {
        const auto& devices = pipe->Devices;
        const int n = devices.Count();
        // Devices are kept in position order, so standing together means standing next to
        // each other; most pipes have no such pair at all.
        bool sorted = true;
        bool together = false;
        for (int i = 1; i < n && sorted; ++i) {
            const double before = devices.Items(i - 1)->Position();
            const double here = devices.Items(i)->Position();
            sorted = !(here < before);
            together = together || here == before;
        }
        if (sorted && !together)
            return;

        std::vector<int> order(static_cast<size_t>(n));
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&devices](int x, int y) { return devices.Items(x)->Position() < devices.Items(y)->Position(); });
        std::vector<std::vector<int>> groups;
        for (size_t k = 0; k < order.size();) {
            size_t m = k + 1;
            const double pos = devices.Items(order[k])->Position();
            while (m < order.size() && devices.Items(order[m])->Position() == pos)
                ++m;
            if (m - k > 1)
                groups.emplace_back(order.begin() + static_cast<std::ptrdiff_t>(k), order.begin() + static_cast<std::ptrdiff_t>(m));
            k = m;
        }
        std::sort(groups.begin(), groups.end(), [](const auto& x, const auto& y) { return x.front() < y.front(); });
        for (const auto& group : groups) {
            const TDevice* first = devices.Items(group.front());
            for (size_t k = 1; k < group.size(); ++k) {
                const TDevice* other = devices.Items(group[k]);
                run_.Error(QString::asprintf("выработка %d - совпадают положения устройств (%s №%d и %s №%d )", b->Number(),
                                             KindText(first).constData(), first->Number(), KindText(other).constData(),
                                             other->Number()),
                           other);
            }
        }
    }

    // More than one pipe meeting at a node with a device right at its end.
    void CheckDevicesAtUzels()
    {
        for (TUzel* u : mine_.Uzels) {
            int count = 0;
            for (const TBranch* b : u->Branches) {
                const int bi = view_.Index(b);
                const TPipe* pipe = view_.PipeAt(bi);
                if (!view_.ActiveAt(bi) || pipe->Devices.IsEmpty())
                    continue;
                if (b->StartUzel() == u && pipe->Devices.First()->Position() == 0)
                    ++count;
                else if (b->EndUzel() == u && pipe->Devices.Last()->Position() == 1)
                    ++count;
            }
            if (count > 1)
                run_.Error(QString::asprintf("сопряжение %d - несколько устройств в узле", u->Number()), u);
        }
        run_.Advance(mine_.Uzels.Count());
    }

    // A pump at an end of its pipe must stand at a surface node and push into the pipe.
    void CheckPumps(const TInfoDeviceList& devices)
    {
        for (TDevice* d : devices) {
            if (d->GetKind() != dkPump)
                continue;
            const auto* pump = static_cast<const TPump*>(d);
            const TPipe* pipe = d->Pipe();
            const TBranch* b = d->Branch();
            const int number = b->Number();
            const bool atStart = d->Position() == pipe->StartFrac();
            if (!atStart && d->Position() != pipe->EndFrac())
                continue;
            const bool reachesUzel = atStart ? pipe->StartFrac() == 0 : pipe->EndFrac() == 1;
            const TUzel* uzel = atStart ? b->StartUzel() : b->EndUzel();
            const bool headTowardsThisEnd = (pump->HeadDirection() == 1) == atStart;
            if (!reachesUzel)
                run_.Error(QString::asprintf("выработка %d - насос на конце трубы", number), d);
            else if (!uzel)
                run_.Error(QString::asprintf("выработка %d - насос установлен в неопределенный узел", number), d);
            else if (!uzel->Surface())
                run_.Error(QString::asprintf("выработка %d - насос установлен не в поверхностный узел", number), d);
            else if (headTowardsThisEnd)
                run_.Error(QString::asprintf("выработка %d - неверное направление напора насоса", number), d);
        }
    }

    void CheckFireMachines(const TInfoDeviceList& devices)
    {
        for (TDevice* d : devices) {
            if (d->GetKind() != dkFireMachine || !IsLaid(d->Pipe()))
                continue;
            const auto* machine = static_cast<const TFireMachine*>(d);
            const TBranch* b = d->Branch();
            const auto onSurface = [](const TUzel* u) { return u && u->Surface(); };
            const bool placed = (d->Position() == 0 && onSurface(b->StartUzel())) ||
                                (d->Position() == 1 && onSurface(b->EndUzel()));
            if (!placed)
                run_.Error(QString::asprintf("выработка %d - пожарная машина %d установлена не в поверхностном узле",
                                             b->Number(), d->Number()),
                           d);
            if (run_.Options.ShowWarnings) {
                if (IsZero(machine->AddPressure()))
                    run_.Warning(QString::asprintf("выработка %d - напор воды от пожарной машины %d равен 0", b->Number(),
                                                   d->Number()),
                                 d);
                if (IsZero(machine->Volume()))
                    run_.Warning(QString::asprintf("выработка %d - не указан объем воды в пожарной машине %d", b->Number(),
                                                   d->Number()),
                                 d);
            }
        }
    }

    void CheckReducers(const TInfoDeviceList& devices)
    {
        for (TDevice* d : devices) {
            if (d->GetKind() != dkReducer)
                continue;
            const auto* reducer = static_cast<const TReducer*>(d);
            const TPipe* pipe = d->Pipe();
            const int number = d->Branch()->Number();
            if (d->Position() == pipe->StartFrac() || d->Position() == pipe->EndFrac())
                run_.Error(QString::asprintf("выработка %d - редуктор %d находится на конце трубы или в сопряжении", number,
                                             d->Number()),
                           d);
            if (!reducer->HasCharacteristic())
                run_.Error(QString::asprintf("выработка %d - для редуктора %d не выбрана характеристика", number, d->Number()), d);
        }
    }

    // A tank at a node needs a working rising from it and one falling from it.
    bool TankConfigurationRight(const TUzel* uzel) const
    {
        int laid = 0;
        bool higher = false;
        bool lower = false;
        for (const TBranch* b : uzel->Branches) {
            if (!IsLaid(view_.PipeOf(b)))
                continue;
            ++laid;
            const TUzel* other = b->StartUzel() == uzel ? b->EndUzel() : b->StartUzel();
            if (!other)
                continue;
            higher = higher || other->Z() > uzel->Z();
            lower = lower || other->Z() < uzel->Z();
        }
        return laid < 2 || (higher && lower);
    }

    void CheckTanks(const TInfoDeviceList& devices)
    {
        for (TDevice* d : devices) {
            if (d->GetKind() != dkJetBreakTank)
                continue;
            const TBranch* b = d->Branch();
            if (b->Angle() == 0)
                run_.Error(QString::asprintf("выработка %d - резервуар(БРС) %d расположен в горизонтальной выработке",
                                             b->Number(), d->Number()),
                           d);
            const TUzel* uzel = d->Position() == 0 ? b->StartUzel() : d->Position() == 1 ? b->EndUzel() : nullptr;
            if (uzel && uzel->IncidentCount() > 1 && !TankConfigurationRight(uzel))
                run_.Error(QString::asprintf("неверная конфигурация выработок около резервуара %d (выработка %d)", d->Number(),
                                             b->Number()),
                           d);
        }
    }

    // A device right at a node where more than two active pipes meet.
    void CheckJunctionDevices(const TInfoDeviceList& devices)
    {
        for (TDevice* d : devices) {
            if (d->GetKind() == dkCrane)
                continue;
            const TBranch* b = d->Branch();
            const TUzel* uzel = d->Position() == 0 ? b->StartUzel() : d->Position() == 1 ? b->EndUzel() : nullptr;
            if (!uzel || uzel->IncidentCount() < 3)
                continue;
            const int count = view_.TouchCount(uzel);
            if (count > 2)
                run_.Error(QString::asprintf("устройство %d на сопряжении %d участков трубопровода", d->Number(), count), d);
        }
        run_.Advance(devices.Count());
    }

    void WarnDevicesWithoutPipe()
    {
        for (int i = 0; i < mine_.Branches.Count(); ++i) {
            const TPipe* pipe = view_.PipeAt(i);
            const TBranch* b = mine_.Branches.Items(i);
            if (pipe && !view_.ActiveAt(i) && !pipe->Devices.IsEmpty())
                run_.Warning(QString::asprintf("выработка %d - устройства при отсутствии трубопровода", b->Number()), b);
        }
        run_.Advance(mine_.Branches.Count());
    }

    void WarnDeviceSettings(const TInfoDeviceList& devices)
    {
        for (TDevice* d : devices) {
            const int number = d->Branch()->Number();
            if (d->GetKind() == dkGate) {
                const auto* gate = static_cast<const TGate*>(d);
                if (!gate->Closed() && gate->ClosedAutomatically)
                    run_.Warning(QString::asprintf("выработка %d - задвижка %d закрыта автоматически", number, d->Number()), d);
            } else if (d->GetKind() == dkJetBreakTank) {
                const auto* tank = static_cast<const TJetBreakTank*>(d);
                if (tank->Volume() == 0)
                    run_.Warning(QString::asprintf("выработка %d - не указан объем резервуара(БРС) %d (объем = 0)", number,
                                                   d->Number()),
                                 d);
                if (!tank->Bypass() && tank->MakeUpFlow() == 0)
                    run_.Warning(QString::asprintf("выработка %d - отсутствует подпитка резервуара(БРС) %d", number, d->Number()),
                                 d);
            }
        }
        run_.Advance(devices.Count());
    }

    TCheckRun& run_;
    TMine& mine_;
    TSlotView view_;
    bool requireData_;
};

}  // namespace

void CheckPipeSlot(TCheckRun& run, TMine& mine, int slot, bool requireData)
{
    TPipeSlotCheck(run, mine, slot, requireData).Run();
}
