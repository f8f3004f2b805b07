#include "core/checks/CheckCommands.h"

#include "core/checks/BusyCounter.h"
#include "core/checks/CheckPhases.h"
#include "core/checks/CheckRun.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"

namespace {
TCheckOutcome OutcomeOf(const TMessageList& list, int firstLine)
{
    TCheckOutcome outcome;
    outcome.ErrorsFound = list.ErrorCount() > 0;
    outcome.WarningsFound = list.WarningCount() > 0;
    outcome.FirstLine = firstLine;
    return outcome;
}

// Gates marked closed automatically by an earlier run lose the mark, also when this run
// stops before its pipe phase decides again.
void ForgetAutomaticClosing(TMine& mine, int slot)
{
    if (slot < 0 || slot > 2)
        return;
    for (TDevice* d : mine.DevicesByPipeKind[static_cast<size_t>(slot)])
        if (d->GetKind() == dkGate)
            static_cast<TGate*>(d)->ClosedAutomatically = false;
}
}  // namespace

QString FirePipelineHeader() { return QStringLiteral("Проверка пожарно-оросительного трубопровода ... "); }

TCheckOutcome RunTopologyCheck(const TMine& mine, TMessageList& list, const TCheckOptions& options)
{
    TBusyGuard busy(options.Busy);
    list.ClearCheckMessages();
    const int firstLine = list.Count();
    TCheckRun run(mine, list, options);
    CheckTopology(run, 0);
    run.FinishProgress();
    return OutcomeOf(list, firstLine);
}

TCheckOutcome RunPipelineCheck(TMine& mine, TMessageList& list, const TCheckOptions& options)
{
    TBusyGuard busy(options.Busy);
    // The pipe phase decides the automatic closing afresh; a run that ends before it clears
    // the marks on its way out. Either way no gate keeps a mark of an earlier run, and the
    // gates are read once.
    struct TForgetUnlessDecided {
        TMine& mine;
        bool decided = false;
        ~TForgetUnlessDecided()
        {
            if (!decided)
                ForgetAutomaticClosing(mine, 0);
        }
    } closing{mine};
    // The first line of this run is taken after the old lines are gone.
    list.ClearCheckMessages();
    const int firstLine = list.Count();
    TCheckRun run(mine, list, options);

    const qint64 fireDevices = mine.DevicesByPipeKind[0].Count();
    qint64 extra = mine.Uzels.Count() + mine.Branches.Count() + fireDevices + DeviceNumberSteps(mine, dlFire);
    if (options.ShowWarnings)
        extra += fireDevices + mine.Branches.Count();
    CheckTopology(run, extra);
    CheckDeviceNumbers(run, dlFire);
    if (list.ErrorCount() == 0) {
        run.Header(FirePipelineHeader());
        closing.decided = true;
        CheckPipeSlot(run, mine, 0, true);
    }
    run.FinishProgress();
    return OutcomeOf(list, firstLine);
}

TCheckOutcome RunPipeSlotCheck(TMine& mine, TMessageList& list, int slot, const QString& header,
                               const TCheckOptions& options, bool requireData)
{
    TBusyGuard busy(options.Busy);
    list.ClearCheckMessages();
    const int firstLine = list.Count();
    TCheckRun run(mine, list, options);

    const qint64 devices = slot >= 0 && slot <= 2 ? mine.DevicesByPipeKind[static_cast<size_t>(slot)].Count() : 0;
    qint64 total = mine.Branches.Count() + mine.Uzels.Count() + devices;
    if (options.ShowWarnings)
        total += mine.Branches.Count() + devices;
    run.StartProgress(header, total);
    run.Header(header);
    CheckPipeSlot(run, mine, slot, requireData);
    run.FinishProgress();
    return OutcomeOf(list, firstLine);
}
