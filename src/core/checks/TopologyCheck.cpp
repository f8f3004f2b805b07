#include "core/checks/CheckPhases.h"
#include "core/checks/CheckRun.h"

#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

struct NumberTexts {
    const char* badNumber;
    const char* repeated;
};
constexpr NumberTexts kUzelTexts{"неверный номер узла", "повторяется узел %d"};
constexpr NumberTexts kBranchTexts{"неверный номер ветви", "повторяется выработка %d"};

// Every object whose number an earlier object of the list already has, grouped after the
// first object of each number and in list order within a group: the order in which
// comparing every object with all later unmarked ones would name them.
template <class T>
std::vector<T*> LaterRepeats(const std::vector<T*>& objects)
{
    std::vector<std::pair<int, size_t>> keys;
    keys.reserve(objects.size());
    for (size_t i = 0; i < objects.size(); ++i)
        keys.emplace_back(objects[i]->Number(), i);
    std::sort(keys.begin(), keys.end());

    // Runs of one number, each as its first object's place and the places of the rest.
    std::vector<std::pair<size_t, size_t>> runs;  // (first key of the run, end of the run)
    for (size_t k = 0; k < keys.size();) {
        size_t end = k + 1;
        while (end < keys.size() && keys[end].first == keys[k].first)
            ++end;
        if (end - k > 1)
            runs.emplace_back(k, end);
        k = end;
    }
    std::sort(runs.begin(), runs.end(),
              [&keys](const auto& a, const auto& b) { return keys[a.first].second < keys[b.first].second; });

    std::vector<T*> repeats;
    for (const auto& [first, end] : runs)
        for (size_t k = first + 1; k < end; ++k)
            repeats.push_back(objects[keys[k].second]);
    return repeats;
}

template <class T>
void CheckNumbers(TCheckRun& run, const std::vector<T*>& objects, const NumberTexts& texts)
{
    for (T* o : objects)
        if (o->Number() <= 0)
            run.Error(QString::fromUtf8(texts.badNumber), o);
    run.Advance(static_cast<qint64>(objects.size()));

    for (T* o : LaterRepeats(objects))
        run.Error(QString::asprintf(texts.repeated, o->Number()), o);
    run.Advance(static_cast<qint64>(objects.size()));
}

void CheckBranchEnds(TCheckRun& run, const std::vector<TBranch*>& branches)
{
    for (TBranch* b : branches) {
        if (b->StartNumber() == b->EndNumber())
            run.Error(QString::asprintf("выработка %d - одинаковые номера начального и конечного узлов", b->Number()), b);
        if (!b->StartUzel())
            run.Error(QString::asprintf("выработка %d - узел %d не определен", b->Number(), b->StartNumber()), b);
        if (!b->EndUzel() && b->StartNumber() != b->EndNumber())
            run.Error(QString::asprintf("выработка %d - узел %d не определен", b->Number(), b->EndNumber()), b);
    }
}

void CheckNetwork(TCheckRun& run, const std::vector<TUzel*>& uzels, const std::vector<TBranch*>& branches)
{
    for (TBranch* b : branches)
        if (b->Length() == 0)
            run.Error(QString::asprintf("выработка %d - длина = 0", b->Number()), b);
    run.Advance(static_cast<qint64>(branches.size()));

    for (TUzel* u : uzels) {
        const int incident = u->IncidentCount();
        if (incident == 0)
            run.Error(QString::asprintf("найден изолированный узел %d", u->Number()), u);
        else if (u->Surface() && incident > 1)
            run.Error(QString::asprintf("с поверхностным узлом №%d соединено более 1-й выработок", u->Number()), u);
        else if (incident > 6)
            run.Error(QString::asprintf("с узлом №%d соединено более 6-ти выработок", u->Number()), u);
    }
    run.Advance(static_cast<qint64>(uzels.size()));

    // A working cut off from the rest: both its nodes exist, differ, and no other working
    // meets either of them. The only working of a mine is the whole network, not cut off.
    if (branches.size() > 1)
        for (TBranch* b : branches) {
            const TUzel* s = b->StartUzel();
            const TUzel* e = b->EndUzel();
            if (s && e && s != e && s->IncidentCount() == 1 && e->IncidentCount() == 1)
                run.Error(QString::asprintf("найдена изолированная выработка %d", b->Number()), b);
        }
    run.Advance(static_cast<qint64>(branches.size()));
}

}  // namespace

void CheckTopology(TCheckRun& run, qint64 extraSteps)
{
    const TMine& mine = run.Mine;
    if (mine.Uzels.IsEmpty() || mine.Branches.IsEmpty()) {
        run.Error(QStringLiteral("Топология шахты определена не полностью"));
        return;
    }
    const std::vector<TUzel*> uzels = mine.Uzels.ToVector();
    const std::vector<TBranch*> branches = mine.Branches.ToVector();
    const qint64 n = static_cast<qint64>(uzels.size());
    const qint64 b = static_cast<qint64>(branches.size());
    TMessageList& list = run.List;

    const QString uzelHeader = QStringLiteral("Проверка номеров узлов ... ");
    run.StartProgress(uzelHeader, 3 * n + 4 * b + extraSteps);
    run.Header(uzelHeader);
    CheckNumbers(run, uzels, kUzelTexts);
    // Every topology phase passes only while the whole run is free of errors.
    list.ClosePhase(list.ErrorCount() == 0);

    run.Header(QStringLiteral("Проверка номеров выработок ... "));
    CheckNumbers(run, branches, kBranchTexts);
    CheckBranchEnds(run, branches);
    list.ClosePhase(list.ErrorCount() == 0);

    run.Header(QStringLiteral("Проверка топологической сети ... "));
    CheckNetwork(run, uzels, branches);
    list.ClosePhase(list.ErrorCount() == 0);
}
