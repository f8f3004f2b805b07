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
#include <type_traits>
#include <vector>

namespace {

QByteArray KindText(const TDevice* d) { return d->KindName().toUtf8(); }

bool IsZero(double value) { return std::fabs(value) <= 1e-12; }

// A water pipe with a value the branch check reports. Pipes without one need only their
// ends and devices looked at, which the slot view has at hand.
bool WaterPipeDataFault(const TPipe& pipe)
{
    return pipe.StartFrac() == pipe.EndFrac() || (pipe.ResistanceMode() == 1 && pipe.FixedResistance() == 0) ||
           pipe.Diameter() == 0 || (!pipe.IsGas() && static_cast<const TWaterPipe&>(pipe).K() < 1);
}

// The pipe and device checks of one slot; see CheckPipeSlot.
class TPipeSlotCheck {
public:
    TPipeSlotCheck(TCheckRun& run, TMine& mine, int slot, bool requireData)
        : run_(run),
          mine_(mine),
          view_(mine, slot, run.Options.UseProjectedPipes, slot >= 3 ? nullptr : &WaterPipeDataFault),
          requireData_(requireData)
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
            ForEachDevice(*devices, [](int kind) { return kind == dkGate; },
                          [](TDevice* d) { static_cast<TGate*>(d)->ClosedAutomatically = false; });

        CheckBranches();
        CheckDevicesAtUzels();
        if (devices) {
            CheckPumps(*devices);
            CheckFireMachines(*devices);
            CheckReducers(*devices);
            CheckTanks(*devices);
            CheckJunctionDevices(*devices);
            TSourceReachability(run_, view_).Run();
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
    // Calls f with every device of the slot's list whose kind passes, in list order. The
    // kinds come from the view, so the devices of other kinds are not touched at all.
    // f(device) or f(device, slot, kind); slot is −1 for a device the view does not hold.
    template <class KindTest, class F>
    void ForEachDevice(const TInfoDeviceList& devices, KindTest wanted, F f) const
    {
        const std::vector<int>& listSlots = view_.ListSlots();
        size_t j = 0;
        for (TDevice* d : devices) {
            const int slot = j < listSlots.size() ? listSlots[j] : -1;
            ++j;
            const int kind = slot >= 0 ? view_.KindAt(slot) : d->GetKind();
            if (!wanted(kind))
                continue;
            if constexpr (std::is_invocable_v<F, TDevice*, int, int>)
                f(d, slot, kind);
            else
                f(d);
        }
    }

    void CheckBranches()
    {
        bool hasData = false;
        for (int i = 0; i < mine_.Branches.Count(); ++i) {
            if (!view_.ActiveAt(i))
                continue;
            hasData = true;
            if (view_.IsGas() || view_.FlaggedAt(i))
                CheckBranch(i, mine_.Branches.Items(i), view_.PipeAt(i));
            else
                CheckWaterEnds(i);
        }
        run_.Advance(mine_.Branches.Count());
        if (requireData_ && !hasData)
            run_.Error(QStringLiteral("отсутствуют исходные данные для расчета"));
    }

    // The part of CheckBranch a water pipe without data faults needs, from the view alone.
    void CheckWaterEnds(int index)
    {
        // Both ends are judged before either is checked for its closing device: judging an
        // end can mark a gate closed automatically.
        const bool deadStart = IsDeadPipeEnd(view_, index, true);
        const bool deadEnd = IsDeadPipeEnd(view_, index, false);
        for (const auto& [dead, atStart] : {std::pair{deadStart, true}, std::pair{deadEnd, false}})
            if (dead && !IsTerminatedWaterEnd(view_, index, atStart))
                ReportOpenEnd(mine_.Branches.Items(index));
        CheckCoincidingDevices(index, mine_.Branches.Items(index), view_.PipeAt(index));
    }

    void ReportOpenEnd(TBranch* b)
    {
        run_.Error(QString::asprintf("выработка %d - на конце трубы отсутствуют насос, пож. машина, закрытая "
                                     "задвижка, кран или резервуар(БРС)",
                                     b->Number()),
                   b);
    }

    void CheckBranch(int index, TBranch* b, TPipe* pipe)
    {
        const int number = b->Number();
        if (pipe->StartFrac() == pipe->EndFrac())
            run_.Error(QString::asprintf("выработка %d - длина участка трубопровода = 0", number), b);
        if (pipe->ResistanceMode() == 1 && pipe->FixedResistance() == 0)
            run_.Error(QString::asprintf("выработка %d - удельное сопротивление трубы = 0", number), b);

        const bool deadStart = IsDeadPipeEnd(view_, index, true);
        const bool deadEnd = IsDeadPipeEnd(view_, index, false);
        if (view_.IsGas())
            CheckGasEnds(b, static_cast<TGasPipe*>(pipe), deadStart, deadEnd);
        else
            for (const auto& [dead, atStart] : {std::pair{deadStart, true}, std::pair{deadEnd, false}})
                if (dead && !IsTerminatedWaterEnd(view_, index, atStart))
                    ReportOpenEnd(b);

        CheckCoincidingDevices(index, b, pipe);

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
    void CheckCoincidingDevices(int index, TBranch* b, const TPipe* pipe)
    {
        const int n = view_.DeviceCountAt(index);
        // Devices are kept in position order, so standing together means standing next to
        // each other; most pipes have no such pair at all. The view has the positions at hand.
        const int base = view_.SectionBaseAt(index);
        bool sorted = true;
        bool together = false;
        for (int i = 1; i < n && sorted; ++i) {
            const double before = view_.PositionAt(base + i - 1);
            const double here = view_.PositionAt(base + i);
            sorted = !(here < before);
            together = together || here == before;
        }
        if (sorted && !together)
            return;
        const auto& devices = pipe->Devices;

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
        int ui = 0;
        for (TUzel* u : mine_.Uzels) {
            int count = 0;
            for (const int bi : view_.IncidentAt(ui)) {
                const int n = view_.DeviceCountAt(bi);
                if (!view_.ActiveAt(bi) || n == 0)
                    continue;
                const int base = view_.SectionBaseAt(bi);
                if (view_.StartUzelAt(bi) == ui && view_.PositionAt(base) == 0)
                    ++count;
                else if (view_.EndUzelAt(bi) == ui && view_.PositionAt(base + n - 1) == 1)
                    ++count;
            }
            if (count > 1)
                run_.Error(QString::asprintf("сопряжение %d - несколько устройств в узле", u->Number()), u);
            ++ui;
        }
        run_.Advance(mine_.Uzels.Count());
    }

    // A pump at an end of its pipe must stand at a surface node and push into the pipe.
    void CheckPumps(const TInfoDeviceList& devices)
    {
        ForEachDevice(devices, [](int kind) { return kind == dkPump; }, [this](TDevice* d) {
            const auto* pump = static_cast<const TPump*>(d);
            const TPipe* pipe = d->Pipe();
            const TBranch* b = d->Branch();
            const int number = b->Number();
            const bool atStart = d->Position() == pipe->StartFrac();
            if (!atStart && d->Position() != pipe->EndFrac())
                return;
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
        });
    }

    void CheckFireMachines(const TInfoDeviceList& devices)
    {
        ForEachDevice(devices, [](int kind) { return kind == dkFireMachine; }, [this](TDevice* d) {
            if (!IsLaid(d->Pipe()))
                return;
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
        });
    }

    void CheckReducers(const TInfoDeviceList& devices)
    {
        ForEachDevice(devices, [](int kind) { return kind == dkReducer; }, [this](TDevice* d) {
            const auto* reducer = static_cast<const TReducer*>(d);
            const TPipe* pipe = d->Pipe();
            const int number = d->Branch()->Number();
            if (d->Position() == pipe->StartFrac() || d->Position() == pipe->EndFrac())
                run_.Error(QString::asprintf("выработка %d - редуктор %d находится на конце трубы или в сопряжении", number,
                                             d->Number()),
                           d);
            if (!reducer->HasCharacteristic())
                run_.Error(QString::asprintf("выработка %d - для редуктора %d не выбрана характеристика", number, d->Number()), d);
        });
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
        ForEachDevice(devices, [](int kind) { return kind == dkJetBreakTank; }, [this](TDevice* d) {
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
        });
    }

    // A device right at a node where more than two active pipes meet.
    void CheckJunctionDevices(const TInfoDeviceList& devices)
    {
        ForEachDevice(devices, [](int kind) { return kind != dkCrane; }, [this](TDevice* d, int slot, int) {
            // Most devices stand inside their pipe: the view tells without reading them.
            const double position = slot >= 0 ? view_.PositionAt(slot) : d->Position();
            if (position != 0 && position != 1)
                return;
            const TBranch* b = d->Branch();
            const TUzel* uzel = position == 0 ? b->StartUzel() : b->EndUzel();
            if (!uzel || uzel->IncidentCount() < 3)
                return;
            const int count = view_.TouchCount(uzel);
            if (count > 2)
                run_.Error(QString::asprintf("устройство %d на сопряжении %d участков трубопровода", d->Number(), count), d);
        });
        run_.Advance(devices.Count());
    }

    void WarnDevicesWithoutPipe()
    {
        for (int i = 0; i < mine_.Branches.Count(); ++i) {
            if (view_.PipeAt(i) && !view_.ActiveAt(i) && view_.DeviceCountAt(i) > 0) {
                const TBranch* b = mine_.Branches.Items(i);
                run_.Warning(QString::asprintf("выработка %d - устройства при отсутствии трубопровода", b->Number()), b);
            }
        }
        run_.Advance(mine_.Branches.Count());
    }

    void WarnDeviceSettings(const TInfoDeviceList& devices)
    {
        auto wanted = [](int kind) { return kind == dkGate || kind == dkJetBreakTank; };
        ForEachDevice(devices, wanted, [this](TDevice* d, int, int kind) {
            if (kind == dkGate) {
                const auto* gate = static_cast<const TGate*>(d);
                if (!gate->Closed() && gate->ClosedAutomatically)
                    run_.Warning(QString::asprintf("выработка %d - задвижка %d закрыта автоматически", d->Branch()->Number(),
                                                   d->Number()),
                                 d);
            } else {
                const int number = d->Branch()->Number();
                const auto* tank = static_cast<const TJetBreakTank*>(d);
                if (tank->Volume() == 0)
                    run_.Warning(QString::asprintf("выработка %d - не указан объем резервуара(БРС) %d (объем = 0)", number,
                                                   d->Number()),
                                 d);
                if (!tank->Bypass() && tank->MakeUpFlow() == 0)
                    run_.Warning(QString::asprintf("выработка %d - отсутствует подпитка резервуара(БРС) %d", number, d->Number()),
                                 d);
            }
        });
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
