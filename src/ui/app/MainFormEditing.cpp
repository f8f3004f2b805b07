// The main window and the editing windows: the device commands, the device dialog opened
// from the device panel and the document tables, and the one pipe window.

#include "ui/app/MainForm.h"

#include "core/devices/PipeEdits.h"
#include "core/equipment/PumpCurve.h"
#include "core/history/EditTransaction.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "ui/app/DevicePanel.h"
#include "ui/common/MessageBoxes.h"
#include "ui/document/ChildForm.h"
#include "ui/document/DocumentHistory.h"
#include "ui/editing/EditDeviceForm.h"
#include "ui/editing/DeviceChoosers.h"
#include "ui/editing/EditPipeForm.h"
#include "ui/equipment/EditPumpForm.h"
#include "ui/equipment/ReducerForm.h"

#include <QMdiArea>

void TMainForm::ConnectEditingCommands()
{
    // The device dialog's "&Выбрать" and "Править" open the pump and reducer databases of the
    // settings' folder; the hooks go with this window.
    QPointer<TMainForm> self(this);
    DeviceChoosers::SetPumpChooser([self](QWidget* parent, const TPumpChoice& current) -> std::optional<TPumpChoice> {
        if (!self)
            return std::nullopt;
        const auto& v = current.Values;
        TPumpCharacteristic chosen{v[0], v[1], v[2], v[3], v[4], v[5], current.Model};
        QString model = current.Model;
        if (!ChoosePump(self->Config().DBPath, model, &chosen, parent))
            return std::nullopt;
        return TPumpChoice{model, {chosen.Q1, chosen.H1, chosen.Q2, chosen.H2, chosen.A, chosen.B}};
    });
    DeviceChoosers::SetReducerChooser(
        [self](QWidget* parent, TReducerChooserMode mode, const TReducerChoice& current) -> std::optional<TReducerChoice> {
            if (!self)
                return std::nullopt;
            TReducerCharacter character = current.Characteristic;
            character.Name = current.Model;
            double locking = current.LockingPressure;
            if (!EditReducer(parent, self->Config().DBPath, int(mode), character, locking))
                return std::nullopt;
            return TReducerChoice{character.Name, character, locking};
        });
    connect(this, &QObject::destroyed, [] {
        DeviceChoosers::SetPumpChooser(nullptr);
        DeviceChoosers::SetReducerChooser(nullptr);
    });

    OnDocumentCommand("actEditPipe", [this](TChildForm& d) { ShowPipeEditor(&d, d.CurrentBranch()); });
    OnDocumentCommand("actAddDevice", [this](TChildForm& d) { AddDevice(d.CurrentBranch(), devicePanel_->DeviceKind()); });
    OnCommand("actEditDevice", [this] { EditDevice(devicePanel_->SelectedDevice()); });
    OnCommand("actDelDevice", [this] {
        TDevice* device = devicePanel_->SelectedDevice();
        if (!device)
            return;
        if (MessageBoxes::Ask(this, PipeEdits::DeleteDevicePrompt(*device), TMsgButtons::YesNo) != TMsgAnswer::Yes)
            return;
        {
            TEditTransaction tx(DocumentHistory::Of(device->Branch() ? device->Branch()->Mine() : nullptr),
                                QStringLiteral("Удаление устройства"), TEditScope::Objects);
            tx.Touch(device);
            PipeEdits::DeleteDevice(device);
            tx.Commit();
        }
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
