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

// What the topology phases read of each node and branch, taken in one pass over each list
// so the phases do not walk the mine's objects again.
struct UzelFacts {
    int number;
    int incident;
    bool surface;
};
struct BranchFacts {
    int number;
    int startNumber;
    int endNumber;
    bool startLinked;
    bool endLinked;
    bool zeroLength;
    // Both nodes exist, differ, and no other working meets either of them.
    bool cutOff;
};

std::vector<UzelFacts> FactsOf(const std::vector<TUzel*>& uzels)
{
    std::vector<UzelFacts> facts;
    facts.reserve(uzels.size());
    for (const TUzel* u : uzels)
        facts.push_back({u->Number(), u->IncidentCount(), u->Surface()});
    return facts;
}

std::vector<BranchFacts> FactsOf(const std::vector<TBranch*>& branches)
{
    std::vector<BranchFacts> facts;
    facts.reserve(branches.size());
    for (const TBranch* b : branches) {
        const TUzel* s = b->StartUzel();
        const TUzel* e = b->EndUzel();
        const bool cutOff = s && e && s != e && s->IncidentCount() == 1 && e->IncidentCount() == 1;
        facts.push_back({b->Number(), b->StartNumber(), b->EndNumber(), s != nullptr, e != nullptr, b->Length() == 0, cutOff});
    }
    return facts;
}

// The places of every object whose number an earlier object of the list already has,
// grouped after the first object of each number and in list order within a group: the
// order in which comparing every object with all later unmarked ones would name them.
template <class Facts>
std::vector<size_t> LaterRepeats(const std::vector<Facts>& facts)
{
    std::vector<std::pair<int, size_t>> keys;
    keys.reserve(facts.size());
    for (size_t i = 0; i < facts.size(); ++i)
        keys.emplace_back(facts[i].number, i);
    // Numbered in list order, as most mines are, the keys need no sorting.
    if (!std::is_sorted(keys.begin(), keys.end()))
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

    std::vector<size_t> repeats;
    for (const auto& [first, end] : runs)
        for (size_t k = first + 1; k < end; ++k)
            repeats.push_back(keys[k].second);
    return repeats;
}

template <class T, class Facts>
void CheckNumbers(TCheckRun& run, const std::vector<T*>& objects, const std::vector<Facts>& facts,
                  const NumberTexts& texts)
{
    for (size_t i = 0; i < facts.size(); ++i)
        if (facts[i].number <= 0)
            run.Error(QString::fromUtf8(texts.badNumber), objects[i]);
    run.Advance(static_cast<qint64>(objects.size()));

    for (const size_t i : LaterRepeats(facts))
        run.Error(QString::asprintf(texts.repeated, facts[i].number), objects[i]);
    run.Advance(static_cast<qint64>(objects.size()));
}

void CheckBranchEnds(TCheckRun& run, const std::vector<TBranch*>& branches, const std::vector<BranchFacts>& facts)
{
    for (size_t i = 0; i < facts.size(); ++i) {
        const BranchFacts& f = facts[i];
        TBranch* b = branches[i];
        if (f.startNumber == f.endNumber)
            run.Error(QString::asprintf("выработка %d - одинаковые номера начального и конечного узлов", f.number), b);
        if (!f.startLinked)
            run.Error(QString::asprintf("выработка %d - узел %d не определен", f.number, f.startNumber), b);
        if (!f.endLinked && f.startNumber != f.endNumber)
            run.Error(QString::asprintf("выработка %d - узел %d не определен", f.number, f.endNumber), b);
    }
}

void CheckNetwork(TCheckRun& run, const std::vector<TUzel*>& uzels, const std::vector<UzelFacts>& uzelFacts,
                  const std::vector<TBranch*>& branches, const std::vector<BranchFacts>& branchFacts)
{
    for (size_t i = 0; i < branchFacts.size(); ++i)
        if (branchFacts[i].zeroLength)
            run.Error(QString::asprintf("выработка %d - длина = 0", branchFacts[i].number), branches[i]);
    run.Advance(static_cast<qint64>(branches.size()));

    for (size_t i = 0; i < uzelFacts.size(); ++i) {
        const UzelFacts& f = uzelFacts[i];
        if (f.incident == 0)
            run.Error(QString::asprintf("найден изолированный узел %d", f.number), uzels[i]);
        else if (f.surface && f.incident > 1)
            run.Error(QString::asprintf("с поверхностным узлом №%d соединено более 1-й выработок", f.number), uzels[i]);
        else if (f.incident > 6)
            run.Error(QString::asprintf("с узлом №%d соединено более 6-ти выработок", f.number), uzels[i]);
    }
    run.Advance(static_cast<qint64>(uzels.size()));

    // A working cut off from the rest. The only working of a mine is the whole network,
    // not cut off.
    if (branches.size() > 1)
        for (size_t i = 0; i < branchFacts.size(); ++i)
            if (branchFacts[i].cutOff)
                run.Error(QString::asprintf("найдена изолированная выработка %d", branchFacts[i].number), branches[i]);
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
    const std::vector<UzelFacts> uzelFacts = FactsOf(uzels);
    const std::vector<BranchFacts> branchFacts = FactsOf(branches);
    CheckNumbers(run, uzels, uzelFacts, kUzelTexts);
    // Every topology phase passes only while the whole run is free of errors.
    list.ClosePhase(list.ErrorCount() == 0);

    run.Header(QStringLiteral("Проверка номеров выработок ... "));
    CheckNumbers(run, branches, branchFacts, kBranchTexts);
    CheckBranchEnds(run, branches, branchFacts);
    list.ClosePhase(list.ErrorCount() == 0);

    run.Header(QStringLiteral("Проверка топологической сети ... "));
    CheckNetwork(run, uzels, uzelFacts, branches, branchFacts);
    list.ClosePhase(list.ErrorCount() == 0);
}
