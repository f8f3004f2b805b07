#include "core/checks/FreeNumbers.h"

#include "core/checks/CheckRun.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"

#include <algorithm>
#include <vector>

namespace {
// Gaps of up to this many numbers are listed number by number, longer ones as a range.
constexpr qint64 kLongestListedGap = 3;

template <class T>
void ListGaps(TCheckRun& run, std::vector<T*> objects, const QString& header)
{
    TMessageList& list = run.List;
    std::stable_sort(objects.begin(), objects.end(), [](const T* a, const T* b) { return a->Number() < b->Number(); });
    const int headerLine = list.AddFreeNumberLine(header);

    // 64-bit, so the number after the largest 32-bit one is no trouble.
    qint64 expected = 1;
    int gaps = 0;
    const T* before = nullptr;  // the object in front of the next gap
    for (const T* o : objects) {
        const qint64 number = o->Number();
        if (number < expected) {
            // Numbers below 1 and repeats leave the walk where it was.
            if (number >= 1)
                before = o;
            continue;
        }
        if (number > expected) {
            const T* link = before ? before : o;
            if (number - expected > kLongestListedGap) {
                list.AddFreeNumberLine(QStringLiteral(" - найдены свободные номера %1 - %2").arg(expected).arg(number - 1),
                                       link, expected);
            } else {
                for (qint64 free = expected; free < number; ++free)
                    list.AddFreeNumberLine(QStringLiteral(" - найден свободный номер %1").arg(free), link, free);
            }
            ++gaps;
        }
        expected = number + 1;
        before = o;
    }
    if (gaps == 0)
        list.AppendToLine(headerLine, QStringLiteral(" .. разрывов в нумерации не найдено"));
    run.Advance(static_cast<qint64>(objects.size()));
}
}  // namespace

TCheckOutcome RunFreeNumbers(const TMine& mine, TMessageList& list, const TCheckOptions& options)
{
    list.ClearFreeNumberMessages();
    TCheckOutcome outcome;
    outcome.FirstLine = list.Count();
    TCheckRun run(mine, list, options);
    run.StartProgress(QStringLiteral("Сбор информации ..."), static_cast<qint64>(mine.Uzels.Count()) + mine.Branches.Count());
    ListGaps(run, mine.Uzels.ToVector(), QStringLiteral("Номера узлов ..."));
    ListGaps(run, mine.Branches.ToVector(), QStringLiteral("Номера ветвей ..."));
    run.FinishProgress();
    list.AddFreeNumberLine(QString());
    return outcome;
}
