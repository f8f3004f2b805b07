// The document window's side of the exchange files: a document made from an imported mine.

#include "ui/document/ChildForm.h"

#include "core/file/NetworkFile.h"
#include "core/model/Mine.h"
#include "core/settings/Config.h"

void TChildForm::AdoptImported(std::unique_ptr<TMine> mine, const QString& name)
{
    // The exchange file carries no schema: every node goes to its coordinates.
    TSchemaFrame frame{SchemaFactor(config_.Scale2D), 0, 0};
    SchemaPositions::ResetFromCoordinates(*mine, frame);
    mine->SetModified(false, false);

    TNetworkDocument doc;
    doc.Mine = std::move(mine);
    doc.Settings = TDocumentSettings::Defaults();  // every column in its place, visible
    AdoptDocument(std::move(doc));
    file_.FileName = name;
    file_.HasFileName = false;
    file_.Version = kCurrentFileVersion;
    refreshNeeded_ = false;
    SetModified(false);
    UpdateCaption();
}
