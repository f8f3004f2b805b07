#include "core/checks/CheckPhases.h"
#include "core/checks/CheckRun.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace {
// Beyond this many findings the list would only bury the first ones.
constexpr int kFindingLimit = 20;

std::vector<TDevice*> GatherDevices(const TMine& mine, unsigned lists)
{
    std::vector<TDevice*> devices;
    for (size_t kind = 0; kind < mine.DevicesByPipeKind.size(); ++kind)
        if (lists & (1u << kind))
            for (TDevice* d : mine.DevicesByPipeKind[kind])
                devices.push_back(d);
    return devices;
}
}  // namespace

qint64 DeviceNumberSteps(const TMine& mine, unsigned lists)
{
    if (mine.Branches.IsEmpty() || lists == 0)
        return 0;
    return static_cast<qint64>(GatherDevices(mine, lists).size());
}

void CheckDeviceNumbers(TCheckRun& run, unsigned lists)
{
    const TMine& mine = run.Mine;
    if (mine.Branches.IsEmpty() || lists == 0)
        return;
    const int errorsBefore = run.List.ErrorCount();

    // Sorted by number, equal numbers by the number of the branch, the rest in list order;
    // the keys are taken once so the sort does not chase pointers.
    struct Key {
        int number;
        int branch;
        size_t order;
        TDevice* device;
    };
    std::vector<Key> keys;
    {
        const std::vector<TDevice*> gathered = GatherDevices(mine, lists);
        keys.reserve(gathered.size());
        for (size_t i = 0; i < gathered.size(); ++i)
            keys.push_back({gathered[i]->Number(), gathered[i]->Branch()->Number(), i, gathered[i]});
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        return std::tie(a.number, a.branch, a.order) < std::tie(b.number, b.branch, b.order);
    });
    std::vector<TDevice*> devices;
    devices.reserve(keys.size());
    for (const Key& k : keys)
        devices.push_back(k.device);

    run.Header(QStringLiteral("Проверка номеров устройств ... "));

    // Devices come in number order, so the node numbers are walked alongside them.
    std::vector<int> uzelNumbers;
    uzelNumbers.reserve(static_cast<size_t>(mine.Uzels.Count()));
    for (const TUzel* u : mine.Uzels)
        uzelNumbers.push_back(u->Number());
    std::sort(uzelNumbers.begin(), uzelNumbers.end());
    auto nextUzel = uzelNumbers.cbegin();

    int found = 0;
    for (TDevice* d : devices) {
        if (d->Number() == 0) {
            run.Error(QString::asprintf("неверный номер устройства (%d) в выработке %d", d->Number(), d->Branch()->Number()), d);
            ++found;
        }
        while (nextUzel != uzelNumbers.cend() && *nextUzel < d->Number())
            ++nextUzel;
        if (nextUzel != uzelNumbers.cend() && *nextUzel == d->Number()) {
            run.Error(QString::asprintf("Номер устройства (%d) в выработке %d дублирует номер узла", d->Number(),
                                        d->Branch()->Number()),
                      d);
            ++found;
        }
        if (found >= kFindingLimit)
            break;
    }

    // Sorted by number, the devices sharing a number stand together; the first of each
    // run is named as the other one in the findings about the rest.
    if (found < kFindingLimit) {
        const size_t n = devices.size();
        for (size_t i = 0; i + 1 < n && found < kFindingLimit;) {
            size_t j = i + 1;
            for (; j < n && devices[j]->Number() == devices[i]->Number() && found < kFindingLimit; ++j) {
                ++found;
                run.Error(QString::asprintf("Номер устройства (%d) в выработке %d дублирует номер другого устройства в выработке %d",
                                            devices[j]->Number(), devices[j]->Branch()->Number(),
                                            devices[i]->Branch()->Number()),
                          devices[j]);
            }
            i = j;
        }
    }

    run.Advance(static_cast<qint64>(devices.size()));
    if (found >= kFindingLimit)
        run.List.AddCheckLine(QStringLiteral("Проверка прервана из-за большого количества ошибок"));
    run.List.ClosePhase(run.List.ErrorCount() == errorsBefore);
}
