// The main window and the editing windows: the device commands, the device dialog opened
// from the device panel and the document tables, and the one pipe window.

#include "ui/app/MainForm.h"

#include "core/editing/PipeEdits.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "ui/app/DevicePanel.h"
#include "ui/common/MessageBoxes.h"
#include "ui/document/ChildForm.h"
#include "ui/editing/EditDeviceForm.h"
#include "ui/editing/EditPipeForm.h"

#include <QMdiArea>

void TMainForm::ConnectEditingCommands()
{
    OnDocumentCommand("actEditPipe", [this](TChildForm& d) { ShowPipeEditor(&d, d.CurrentBranch()); });
    OnDocumentCommand("actAddDevice", [this](TChildForm& d) { AddDevice(d.CurrentBranch(), devicePanel_->DeviceKind()); });
    OnCommand("actEditDevice", [this] { EditDevice(devicePanel_->SelectedDevice()); });
    OnCommand("actDelDevice", [this] {
        TDevice* device = devicePanel_->SelectedDevice();
        if (!device)
            return;
        if (MessageBoxes::Ask(this, PipeEdits::DeleteDevicePrompt(*device), TMsgButtons::YesNo) != TMsgAnswer::Yes)
            return;
        PipeEdits::DeleteDevice(device);
        devicePanel_->SetDocument(devicePanel_->Document());
        UpdateActions();
    });
}

void TMainForm::ConnectEditing(TChildForm* form)
{
    connect(form, &TChildForm::EditDeviceRequested, this, [this](TMineObject* object) {
        if (object && object->ObjectKind() == TObjectKind::Device)
            EditDevice(static_cast<TDevice*>(object));
    });
}

bool TMainForm::EditDevice(TDevice* device)
{
    if (!device)
        return false;
    const bool confirmed = DeviceEditing::EditDevice(this, nullptr, device);
    devicePanel_->SetDocument(devicePanel_->Document());
    UpdateActions();
    return confirmed;
}

bool TMainForm::AddDevice(TBranch* branch, int kind)
{
    if (!branch)
        return false;
    // A gas-side kind goes to the branch's first gas pipe.
    const int pipe = TPipe::GasAccepts(kind) && branch->GasPipeCount() > 0 ? 3 : 0;
    TDevice* device = nullptr;
    const bool confirmed = DeviceEditing::EditDevice(this, branch, device, kind, pipe);
    devicePanel_->SetDocument(devicePanel_->Document());
    UpdateActions();
    return confirmed;
}

TEditPipeForm* TMainForm::ShowPipeEditor(TChildForm* doc, TBranch* branch)
{
    if (!doc || !branch) {
        if (pipeForm_)
            pipeForm_->close();
        return nullptr;
    }
    if (!pipeForm_) {
        pipeForm_ = new TEditPipeForm(this);
        pipeForm_->setAttribute(Qt::WA_DeleteOnClose);
    }
    pipeForm_->Bind(doc, branch);
    pipeForm_->show();
    pipeForm_->raise();
    pipeForm_->activateWindow();
    return pipeForm_;
}

TEditPipeForm* TMainForm::PipeEditor() const { return pipeForm_; }
