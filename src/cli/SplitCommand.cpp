#include "CliSupport.h"
#include "Commands.h"
#include "NumberLists.h"

#include "core/services/BranchSplit.h"
#include "core/file/NetworkFile.h"
#include "core/model/Branch.h"
#include "core/model/Errors.h"

#include <algorithm>
#include <climits>

// split IN OUT --branch N --insert K [--free] [--node-numbers a,b,...] [--branch-numbers x,y,...]
// K nodes evenly along the branch; numbers after the largest, the free numbers with --free,
// or the K numbers given (the first piece keeps the branch's number).
int RunSplit(const QStringList& args)
{
    Cli::Arguments a(args,
                     {QStringLiteral("branch"), QStringLiteral("insert"), QStringLiteral("node-numbers"),
                      QStringLiteral("branch-numbers")},
                     {QStringLiteral("free")});
    const auto branchNumber = a.Integer(QStringLiteral("branch"), INT_MIN, INT_MAX);
    const auto count = a.Integer(QStringLiteral("insert"), 1, BranchSplit::kMaxNodes);
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (a.Positional().size() != 2 || !branchNumber || !count)
        return Cli::UsageError(QStringLiteral("split takes an input and an output file, --branch N and --insert K"));
    std::optional<std::vector<int>> uzelNumbers, branchNumbers;
    if (const auto text = a.Option(QStringLiteral("node-numbers"))) {
        uzelNumbers = Cli::ParseIntegers(*text);
        if (!uzelNumbers || static_cast<qint64>(uzelNumbers->size()) != *count)
            return Cli::UsageError(QStringLiteral("--node-numbers takes K node numbers"));
    }
    if (const auto text = a.Option(QStringLiteral("branch-numbers"))) {
        branchNumbers = Cli::ParseIntegers(*text);
        if (!branchNumbers || static_cast<qint64>(branchNumbers->size()) != *count)
            return Cli::UsageError(QStringLiteral("--branch-numbers takes K branch numbers"));
    }
    const TSplitNumbering mode = a.Flag(QStringLiteral("free")) ? TSplitNumbering::Free : TSplitNumbering::AfterMax;

    return Cli::Guarded([&] {
        TNetworkDocument doc = NetworkFile::Read(a.Positional()[0]);
        TMine& mine = *doc.Mine;
        const int index = mine.Branches.IndexOfNumber(static_cast<int>(*branchNumber));
        if (index < 0)
            throw EMineError(QStringLiteral("Ветвь № %1 не найдена").arg(*branchNumber));
        TBranch* branch = mine.Branches.Items(index);
        BranchSplit::CheckSplittable(*branch);
        TSplitPlan plan = BranchSplit::Plan(mine, *branch, static_cast<int>(*count), mode, mode);
        if (uzelNumbers)
            for (size_t i = 0; i < uzelNumbers->size(); ++i)
                BranchSplit::SetUzelNumber(plan, static_cast<int>(i), (*uzelNumbers)[i]);
        if (branchNumbers)
            for (size_t i = 0; i < branchNumbers->size(); ++i)
                plan.Branches[i + 1].Number = (*branchNumbers)[i];
        // The split frees the branch: its pieces take its place in the stored drawing order.
        std::vector<TBranch*>& order = doc.BranchOrder;
        const auto at = std::find(order.begin(), order.end(), branch);
        const bool ordered = at != order.end();
        const ptrdiff_t place = ordered ? at - order.begin() : ptrdiff_t(order.size());
        if (ordered)
            order.erase(at);
        const std::vector<TBranch*> pieces = BranchSplit::Execute(mine, plan);
        if (ordered || !order.empty())
            order.insert(order.begin() + place, pieces.begin(), pieces.end());
        NetworkFile::Write(a.Positional()[1], mine, doc.Settings, order, kCurrentStreamVersion);
        return static_cast<int>(kExitOk);
    });
}
