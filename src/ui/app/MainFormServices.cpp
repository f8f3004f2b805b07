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
    OnDocumentCommand("actRenumDevices", [this](TChildForm& d) { RenumberDevices(this, *d.Mine()); });
    OnDocumentCommand("actAutoSetWallWidth", [this](TChildForm& d) { TAutoSetWallThickForm(*d.Mine(), this).exec(); });
    OnDocumentCommand("actEditDiamColors", [this](TChildForm& d) { TfrmEditDiamColors::Run(*d.Mine(), this); });
    OnDocumentCommand("actEditLayers",
                      [this](TChildForm& d) { TEditLayersForm(*d.Mine(), TLayerKind::Seams, this).exec(); });
    OnDocumentCommand("actEditPLF",
                      [this](TChildForm& d) { TEditLayersForm(*d.Mine(), TLayerKind::Positions, this).exec(); });
    OnDocumentCommand("actMineProperties", [this](TChildForm& d) { TPropertyForm(d, this).exec(); });
    OnDocumentCommand("actStatistica", [this](TChildForm& d) {
        TStatisticaForm(*d.Mine(), d.FileName(), d.Version(), this).exec();
    });
}
