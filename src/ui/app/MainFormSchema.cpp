// The main window and the technological schema: opening the schema window, keeping it bound
// to the active document, and showing an object of the tables or the message list on it.

#include "ui/app/MainForm.h"

#include "core/model/Device.h"
#include "core/model/Mine.h"

#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Uzel.h"
#include "ui/app/CommandTable.h"
#include "ui/document/ChildForm.h"
#include "ui/document/GridView.h"
#include "ui/document/ResultsPage.h"
#include "ui/schema2d/SchemaSettings.h"
#include "ui/schema2d/Shema2DForm.h"

#include <QMdiArea>
#include <QMdiSubWindow>

TShema2DForm* TMainForm::SchemaWindow() const
{
    return schema_;
}

void TMainForm::ConnectSchemaCommands()
{
    OnCommand("actTechnoChema", [this] { OpenSchema(); });
    OnCommand("actShowOnSchema", [this] { ShowOnSchema(CurrentTableObject()); });
}

void TMainForm::ConnectSchema(TChildForm* form)
{
    connect(form, &TChildForm::GotoSchemaRequested, this, &TMainForm::ShowOnSchema);
}

TMineObject* TMainForm::CurrentTableObject() const
{
    TChildForm* doc = ActiveDocument();
    if (doc && doc->CurrentPage() == 1)
        return doc->ResultsPage()->CurrentObject();
    if (!doc || !doc->FocusedGrid())
        return nullptr;
    if (doc->FocusedGrid() == doc->UzelGrid())
        return doc->CurrentUzel();
    return doc->CurrentBranch();
}

TShema2DForm* TMainForm::OpenSchema()
{
    TChildForm* doc = ActiveDocument();
    if (!doc)
        return nullptr;
    if (!schema_) {
        schema_ = new TShema2DForm(config_, *schemaSettings_, this);
        schema_->SetMainCommands([this](const QString& name) { return Action(name); });
        connect(schema_, &TShema2DForm::MainWindowRequested, this, [this] {
            raise();
            activateWindow();
        });
        // A double click on the schema: the device dialog for a device, else the pipe window.
        connect(schema_, &TShema2DForm::EditDeviceRequested, this, [this](TDevice* device) { EditDevice(device); });
        connect(schema_, &TShema2DForm::PropertiesRequested, this,
                [this](TMineObject* object) { ShowProperties(schema_ ? schema_->Document() : nullptr, object); });
        connect(schema_, &TShema2DForm::ObjectClicked, this, [this](TMineObject* object) {
            ShowProperties(schema_ ? schema_->Document() : nullptr, object, true);
        });
        connect(schema_, &TShema2DForm::AllDevicesRequested, this, [this] {
            TChildForm* doc = schema_ ? schema_->Document() : nullptr;
            if (!doc)
                return;
            std::vector<TDevice*> chosen;
            for (TMineObject* object : doc->Mine()->Selection)
                if (auto* device = dynamic_cast<TDevice*>(object))
                    chosen.push_back(device);
            ShowAllDevices(*doc, chosen.empty() ? nullptr : &chosen);
        });
        connect(schema_, &TShema2DForm::EditPipeRequested, this, [this](TBranch* branch) {
            if (schema_ && schema_->Document())
                ShowPipeEditor(schema_->Document(), branch);
        });
    }
    schema_->Bind(doc);
    schema_->show();
    schema_->raise();
    schema_->activateWindow();
    return schema_;
}

void TMainForm::ShowOnSchema(TMineObject* object)
{
    if (!object)
        return;
    // The object's own document comes to the front first, so the schema binds to it.
    for (TChildForm* doc : Documents())
        if (doc->Mine() == object->Mine()) {
            if (QMdiSubWindow* w = WindowOf(doc); w && mdi_->activeSubWindow() != w)
                mdi_->setActiveSubWindow(w);
            break;
        }
    if (TShema2DForm* schema = OpenSchema())
        schema->CentreOnObject(object);
}
