// The document window's checks and its message panel: running a check, showing its
// findings, following a message line to its object.

#include "ui/document/ChildForm.h"

#include "core/checks/CheckCommands.h"
#include "core/checks/FreeNumbers.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "core/settings/Config.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/WaitCursor.h"
#include "ui/document/MessagePanel.h"

namespace {

const QString kUzelNotFound = QStringLiteral("Узел не найден");
const QString kBranchNotFound = QStringLiteral("Выработка не найдена");
const QString kDeviceNotFound = QStringLiteral("Устройство не найдено");

}  // namespace

bool TChildForm::MessagesVisible() const
{
    return !messagePanel_->isHidden();
}

void TChildForm::SetMessagesVisible(bool visible)
{
    if (visible == MessagesVisible())
        return;
    messagePanel_->setVisible(visible);
    emit MessagesVisibilityChanged(visible);
    emit StateChanged();
}

void TChildForm::AfterCheck(const TCheckOutcome& outcome)
{
    // A clean run is an answer too: its phase lines ending in "Ok" say what passed, so the
    // panel opens whatever the check found.
    if (!MessagesVisible()) {
        SetMessagesVisible(true);
        messagePanel_->SelectLine(outcome.FirstLine);
    }
    messagePanel_->UpdateActions();
    emit StateChanged();
}

TCheckOutcome TChildForm::RunCheck(
    const std::function<TCheckOutcome(TMine&, TMessageList&, const TCheckOptions&)>& check)
{
    SetCurrentPage(0);
    TWaitCursor wait;
    const TCheckOptions options{config_.ShowWarnings, useProjectedPipes_, progress_, &busy_};
    const TCheckOutcome outcome = check(*mine_, messages_, options);
    wait.Restore();
    return outcome;
}

void TChildForm::CheckTopology()
{
    AfterCheck(RunCheck(RunTopologyCheck));
}

void TChildForm::CheckPipeline()
{
    AfterCheck(RunCheck(RunPipelineCheck));
}

void TChildForm::FindFreeNumbers()
{
    const TCheckOutcome outcome = RunCheck(RunFreeNumbers);
    // The numbers found are the answer: the panel opens whatever they are.
    SetMessagesVisible(true);
    messagePanel_->SelectLine(outcome.FirstLine);
    messagePanel_->UpdateActions();
    emit StateChanged();
}

void TChildForm::ClearCheckMessages()
{
    messages_.ClearCheckMessages();
    messagePanel_->UpdateActions();
}

void TChildForm::ClearFreeNumberMessages()
{
    messages_.ClearFreeNumberMessages();
    messagePanel_->UpdateActions();
}

void TChildForm::ClearAllMessages()
{
    messages_.ClearAll();
    messagePanel_->UpdateActions();
}

void TChildForm::GotoSource(int line)
{
    if (line < 0 || line >= messages_.Count())
        return;
    const TMessageLine& msg = messages_.Line(line);
    if (!msg.HasObject())
        return;
    if (rows_->Stale())
        SyncRows();
    // Lines name their objects by identity: a deleted object is simply not found.
    TMineObject* obj = messages_.Resolve(line, *mine_);
    switch (msg.Target) {
    case TMessageTarget::Uzel:
        if (auto* uzel = dynamic_cast<TUzel*>(obj))
            ShowUzel(uzel);
        else
            MessageBoxes::Info(this, kUzelNotFound);
        break;
    case TMessageTarget::Branch:
        if (auto* branch = dynamic_cast<TBranch*>(obj))
            ShowBranch(branch);
        else
            MessageBoxes::Info(this, kBranchNotFound);
        break;
    case TMessageTarget::WaterDevice:
    case TMessageTarget::GasDevice:
        if (auto* device = dynamic_cast<TDevice*>(obj)) {
            ShowBranch(device->Branch());
            emit EditDeviceRequested(device);
        } else {
            MessageBoxes::Info(this, kDeviceNotFound);
        }
        break;
    case TMessageTarget::None:
        break;
    }
}
