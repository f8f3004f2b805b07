// The main window's mine-wide services: device renumbering, diameters and walls, seams and
// plan positions, mine properties and statistics, each on the active document.

#include "ui/app/MainForm.h"

#include "core/services/LayerEdits.h"
#include "ui/document/ChildForm.h"
#include "ui/editing/EditDiamColorsForm.h"
#include "ui/editing/EditLayersForm.h"
#include "ui/editing/PropertyForm.h"
#include "ui/editing/RenumDevForm.h"
#include "ui/editing/StatisticaForm.h"
#include "ui/editing/WallThickForm.h"

void TMainForm::ConnectServiceCommands()
{
    // Every change these dialogs make is a step of the document's undo history.
    OnDocumentCommand("actRenumDevices",
                      [this](TChildForm& d) { RenumberDevices(this, *d.Mine(), &d.History()); });
    OnDocumentCommand("actAutoSetWallWidth", [this](TChildForm& d) {
        TAutoSetWallThickForm form(*d.Mine(), this);
        form.SetHistory(&d.History());
        form.exec();
    });
    OnDocumentCommand("actEditDiamColors",
                      [this](TChildForm& d) { TfrmEditDiamColors::Run(*d.Mine(), this, &d.History()); });
    for (const auto& [name, kind] : {std::pair{"actEditLayers", TLayerKind::Seams},
                                     std::pair{"actEditPLF", TLayerKind::Positions}})
        OnDocumentCommand(name, [this, kind](TChildForm& d) {
            TEditLayersForm form(*d.Mine(), kind, this);
            form.SetHistory(&d.History());
            form.exec();
        });
    OnDocumentCommand("actMineProperties", [this](TChildForm& d) { TPropertyForm(d, this).exec(); });
    OnDocumentCommand("actStatistica", [this](TChildForm& d) {
        TStatisticaForm(*d.Mine(), d.FileName(), d.Version(), this).exec();
    });
}
