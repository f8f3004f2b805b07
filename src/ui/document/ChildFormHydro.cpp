// The document window's hydraulic calculation and the orders of its result tables.

#include "ui/document/ChildForm.h"

#include "core/checks/CheckProgress.h"
#include "core/history/EditTransaction.h"
#include "core/hydraulics/HydroCalculation.h"
#include "core/hydraulics/ResultsSorting.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/PipePart.h"
#include "core/settings/Config.h"
#include "core/model/Errors.h"
#include "ui/app/GuardedApplication.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/WaitCursor.h"
#include "ui/document/LongWork.h"
#include "ui/document/MessagePanel.h"
#include "ui/document/ResultsPage.h"

#include <QTableView>
#include <atomic>

namespace {

const QString kSolving = QStringLiteral("Гидравлический расчет");
// The undo step of the plates the calculation chose for the hydrants.
const QString kPlatesStep = QStringLiteral("Расчет: шайбы");

// Shows the solve's iteration in the status bar, the bar against the solve's iteration limit:
// the work counts iterations, not percent.
class TIterationProgress : public ICheckProgress {
public:
    TIterationProgress(ICheckProgress* target, const std::atomic<int>& iteration)
        : target_(target), iteration_(iteration)
    {
    }
    void Start(const QString& caption, qint64) override
    {
        caption_ = caption;
        target_->Start(caption, Hydro::TSolveOptions{}.MaxIterations);
    }
    void SetCaption(const QString& caption) override { target_->SetCaption(caption); }
    void Step(qint64) override
    {
        const int now = iteration_.load();
        if (now == shown_)
            return;
        shown_ = now;
        target_->Step(now);
        target_->SetCaption(QStringLiteral("%1: итерация %2").arg(caption_).arg(now));
    }
    void Finish() override { target_->Finish(); }

private:
    ICheckProgress* target_;
    const std::atomic<int>& iteration_;
    QString caption_;
    int shown_ = -1;
};

}  // namespace

void TChildForm::OpenMessagesAt(int line)
{
    SetMessagesVisible(true);
    messagePanel_->SelectLine(line);
    messagePanel_->UpdateActions();
}

bool TChildForm::Calculate()
{
    if (busy_.Busy())
        return false;
    THydroCalculation calc;
    std::unique_ptr<THydroResults> results;
    try {
        bool prepared = false;
        {
            SetCurrentPage(0);
            TWaitCursor wait;
            const TCheckOptions options{config_.ShowWarnings, useProjectedPipes_, progress_, &busy_};
            prepared = calc.Prepare(*mine_, messages_, options);
            wait.Restore();
        }
        if (prepared) {
            std::atomic<int> iteration{0};
            TIterationProgress shown(progress_, iteration);
            // The solve reads only the network built from the mine, never the mine itself.
            LongWork::Run(kSolving, progress_ ? &shown : nullptr, &busy_, [&calc, &iteration](LongWork::TPercent&) {
                calc.Solve([&iteration](int i) {
                    iteration = i;
                    return true;
                });
            });
            // The plates go into the hydrants on this thread, as one step (none when every
            // hydrant kept its plate); the solve above only read its own network.
            TEditTransaction step(&history_, kPlatesStep, TEditScope::Objects);
            for (const TFireNetwork::TDevicePlace& d : calc.Network().Devices)
                if (d.Device->GetKind() == dkCrane)
                    step.Touch(d.Device);
            results = calc.Finish(*mine_, messages_);
            step.Commit();
        }
    } catch (const Exception& e) {
        MessageBoxes::Error(this, e.Message());
    } catch (const std::bad_alloc&) {
        MessageBoxes::Error(this, GuardTexts::kOutOfMemory);
    }
    // The plates chosen are saved with the hydrants; that change drops no results.
    if (calc.WashersChanged() > 0)
        SetModified(true);
    const bool ok = results != nullptr;
    // Results of the data as it was before would pass for these.
    SetHydroResults(std::move(results));
    if (ok) {
        SetCurrentPage(1);
        results_->HydroBranchGrid()->setFocus();
    } else {
        SetCurrentPage(0);
    }
    OpenMessagesAt(calc.FirstLine());
    emit StateChanged();
    return ok;
}

void TChildForm::SortResultSections(int param)
{
    if (!hydro_)
        return;
    const TPipePart* current = results_->CurrentSection();
    ResultsSorting::SortSections(*hydro_, param);
    emit HydroResultsChanged();
    results_->SetCurrentSection(current);
}

void TChildForm::SortResultWashers(int order)
{
    if (!hydro_)
        return;
    ResultsSorting::SortWashers(*hydro_, order);
    emit HydroResultsChanged();
}

void TChildForm::SortResultLowers(int order)
{
    if (!hydro_)
        return;
    ResultsSorting::SortLowers(*hydro_, order);
    emit HydroResultsChanged();
}
