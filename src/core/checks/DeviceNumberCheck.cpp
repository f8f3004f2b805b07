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

}  // namespace

qint64 DeviceNumberSteps(const TMine& mine, unsigned lists)
{
    if (mine.Branches.IsEmpty() || lists == 0)
        return 0;
    qint64 steps = 0;
    for (size_t kind = 0; kind < mine.DevicesByPipeKind.size(); ++kind)
        if (lists & (1u << kind))
            steps += mine.DevicesByPipeKind[kind].Count();
    return steps;
}

void CheckDeviceNumbers(TCheckRun& run, unsigned lists)
{
    const TMine& mine = run.Mine;
    if (mine.Branches.IsEmpty() || lists == 0)
        return;
    const int errorsBefore = run.List.ErrorCount();

    // Sorted by number, equal numbers by the number of the branch, the rest in list order;
    // the keys are taken once so the sort does not chase pointers. A device's branch is
    // read only when another device has its number.
    struct Key {
        int number;
        int branch;
        size_t order;
        TDevice* device;
    };
    std::vector<Key> keys;
    for (size_t kind = 0; kind < mine.DevicesByPipeKind.size(); ++kind)
        if (lists & (1u << kind))
            for (TDevice* d : mine.DevicesByPipeKind[kind])
                keys.push_back({d->Number(), 0, keys.size(), d});
    const auto byNumber = [](const Key& a, const Key& b) { return std::tie(a.number, a.order) < std::tie(b.number, b.order); };
    // Numbered in list order, as most mines are, the keys need no sorting.
    if (!std::is_sorted(keys.begin(), keys.end(), byNumber))
        std::sort(keys.begin(), keys.end(), byNumber);
    for (size_t i = 0; i < keys.size();) {
        size_t end = i + 1;
        while (end < keys.size() && keys[end].number == keys[i].number)
            ++end;
        if (end - i > 1) {
            for (size_t k = i; k < end; ++k)
                keys[k].branch = keys[k].device->Branch()->Number();
            std::stable_sort(keys.begin() + static_cast<std::ptrdiff_t>(i), keys.begin() + static_cast<std::ptrdiff_t>(end),
                             [](const Key& a, const Key& b) { return a.branch < b.branch; });
        }
        i = end;
    }

    run.Header(QStringLiteral("Проверка номеров устройств ... "));

    // Devices come in number order, so the node numbers are walked alongside them.
    std::vector<int> uzelNumbers;
    uzelNumbers.reserve(static_cast<size_t>(mine.Uzels.Count()));
    for (const TUzel* u : mine.Uzels)
        uzelNumbers.push_back(u->Number());
    if (!std::is_sorted(uzelNumbers.begin(), uzelNumbers.end()))
        std::sort(uzelNumbers.begin(), uzelNumbers.end());
    auto nextUzel = uzelNumbers.cbegin();

    int found = 0;
    for (const Key& k : keys) {
        TDevice* d = k.device;
        if (k.number == 0) {
            run.Error(QString::asprintf("неверный номер устройства (%d) в выработке %d", d->Number(), d->Branch()->Number()), d);
            ++found;
        }
        while (nextUzel != uzelNumbers.cend() && *nextUzel < k.number)
            ++nextUzel;
        if (nextUzel != uzelNumbers.cend() && *nextUzel == k.number) {
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
        const size_t n = keys.size();
        for (size_t i = 0; i + 1 < n && found < kFindingLimit;) {
            size_t j = i + 1;
            for (; j < n && keys[j].number == keys[i].number && found < kFindingLimit; ++j) {
                ++found;
                run.Error(QString::asprintf("Номер устройства (%d) в выработке %d дублирует номер другого устройства в выработке %d",
                                            keys[j].number, keys[j].device->Branch()->Number(),
                                            keys[i].device->Branch()->Number()),
                          keys[j].device);
            }
            i = j;
        }
    }

    run.Advance(static_cast<qint64>(keys.size()));
    if (found >= kFindingLimit)
        run.List.AddCheckLine(QStringLiteral("Проверка прервана из-за большого количества ошибок"));
    run.List.ClosePhase(run.List.ErrorCount() == errorsBefore);
}
