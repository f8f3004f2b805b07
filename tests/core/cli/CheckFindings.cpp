#include "CheckFindings.h"

#include "core/checks/CheckCommands.h"
#include "core/checks/MessageList.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include <QSet>

namespace {

QStringList Lines(const TMessageList& list, const TCheckOutcome& outcome)
{
    QStringList found;
    if (outcome.HasFindings())
        for (const TMessageLine& line : list.Lines())
            found << line.Text;
    return found;
}

TCheckOptions WithWarnings()
{
    TCheckOptions options;
    options.ShowWarnings = true;
    return options;
}

}  // namespace

QStringList PipelineFindings(TMine& mine)
{
    TMessageList list;
    const TCheckOutcome outcome = RunPipelineCheck(mine, list, WithWarnings());
    return Lines(list, outcome);
}

QStringList SlotFindings(TMine& mine, int slot)
{
    TMessageList list;
    const TCheckOutcome outcome = RunPipeSlotCheck(mine, list, slot, QStringLiteral("slot"), WithWarnings());
    return Lines(list, outcome);
}

QStringList DeviceNumberClashes(const TMine& mine)
{
    QSet<int> nodes;
    for (const TUzel* u : mine.Uzels)
        nodes.insert(u->Number());
    QSet<int> seen;
    QStringList clashes;
    for (const TBranch* b : mine.Branches)
        for (const TPipe* p : b->Pipes)
            for (const TDevice* d : p->Devices)
                if (d->Number() <= 0 || nodes.contains(d->Number()) || seen.contains(d->Number()))
                    clashes << QStringLiteral("device %1 in branch %2").arg(d->Number()).arg(b->Number());
                else
                    seen.insert(d->Number());
    return clashes;
}
