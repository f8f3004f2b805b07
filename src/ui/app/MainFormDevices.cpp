// The main window's all-devices table: opened for the active document, with the device
// dialog, the tables, the schema and the devices report as its helpers.

#include "ui/app/MainForm.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "ui/app/DevicePanel.h"
#include "ui/document/ChildForm.h"
#include "ui/devices/AllDevForm.h"
#include "ui/editing/EditDeviceForm.h"
#include "ui/report/PrintDevicesForm.h"

#include <QMdiArea>
#include <QMdiSubWindow>

void TMainForm::ShowAllDevices(TChildForm& doc, const std::vector<TDevice*>* given)
{
    TAllDevicesHooks hooks;
    hooks.Edit = [this](TDevice* device) { return EditDevice(device); };
    hooks.Add = [this](TBranch* branch, int kind, int pipe) {
        TDevice* device = nullptr;
        const bool confirmed = DeviceEditing::EditDevice(this, branch, device, kind, pipe);
        devicePanel_->SetDocument(devicePanel_->Document());
        UpdateActions();
        return confirmed;
    };
    hooks.ShowInTable = [this, &doc](TBranch* branch) {
        raise();
        activateWindow();
        if (QMdiSubWindow* w = WindowOf(&doc))
            mdi_->setActiveSubWindow(w);
        doc.ShowBranch(branch, true);
    };
    hooks.ShowOnSchema = [this](TDevice* device) { ShowOnSchema(device); };
    hooks.Print = [this, &doc](const TDevicesReportInputs& inputs) { TPrintDevicesForm(inputs, &doc.Busy(), this).exec(); };
    TAllDevForm form(doc, config_, std::move(hooks), devicePanel_->LayerBox(), devicePanel_->PLFBox(), this, given);
    form.exec();
    devicePanel_->SetDocument(devicePanel_->Document());
    UpdateActions();
}
