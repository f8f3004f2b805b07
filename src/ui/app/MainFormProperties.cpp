// The main window's node and branch property windows: one of each kind, non-modal, rebound
// when asked for another object; from the branch window the pipe window and the device dialog.

#include "ui/app/MainForm.h"

#include "core/model/Branch.h"
#include "core/model/Uzel.h"
#include "ui/document/ChildForm.h"
#include "ui/editing/EditPipeForm.h"
#include "ui/editing/PropertyWindows.h"

#include <QEventLoop>

void TMainForm::ShowProperties(TChildForm* doc, TMineObject* object, bool onlyIfOpen)
{
    if (!doc || !object)
        return;
    if (auto* branch = dynamic_cast<TBranch*>(object)) {
        if (!branchProps_) {
            if (onlyIfOpen)
                return;
            TBranchPropForm::THooks hooks;
            hooks.EditPipe = [this, doc](TBranch* b) {
                // Waits until the pipe window is closed, then the page is refreshed.
                if (TEditPipeForm* form = ShowPipeEditor(doc, b)) {
                    QEventLoop wait;
                    connect(form, &QObject::destroyed, &wait, &QEventLoop::quit);
                    wait.exec();
                }
            };
            hooks.EditDevice = [this](TDevice* device) { EditDevice(device); };
            branchProps_ = new TBranchPropForm(std::move(hooks), this);
            branchProps_->setAttribute(Qt::WA_DeleteOnClose);
        }
        branchProps_->Bind(doc, branch);
        if (!onlyIfOpen) {
            branchProps_->show();
            branchProps_->raise();
        }
    } else if (auto* uzel = dynamic_cast<TUzel*>(object)) {
        if (!uzelProps_) {
            if (onlyIfOpen)
                return;
            uzelProps_ = new TUzelPropForm(this);
            uzelProps_->setAttribute(Qt::WA_DeleteOnClose);
        }
        uzelProps_->Bind(doc, uzel);
        if (!onlyIfOpen) {
            uzelProps_->show();
            uzelProps_->raise();
        }
    }
}

TUzelPropForm* TMainForm::UzelProperties() const { return uzelProps_; }
TBranchPropForm* TMainForm::BranchProperties() const { return branchProps_; }
