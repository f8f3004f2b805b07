// The main window's 3D topology windows: any number, each new one cascading from the last.

#include "ui/app/MainForm.h"

#include "ui/document/ChildForm.h"
#include "ui/topology3d/TopolChemaForm.h"

TTopolChemaForm* TMainForm::OpenTopology()
{
    TChildForm* doc = ActiveDocument();
    if (!doc)
        return nullptr;
    auto* form = new TTopolChemaForm(this);
    form->SetGridStep(config_.GridStep3D);
    form->SetLineSmooth(config_.LineSmooth);
    if (lastTopology_) {
        form->CopyFrom(*lastTopology_);
        form->move(lastTopology_->pos() + QPoint(20, 20));
    }
    form->Bind(doc);
    form->show();
    lastTopology_ = form;
    return form;
}
