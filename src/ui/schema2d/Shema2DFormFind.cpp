// "Найти..." on the schema: the go-to dialog picks the object, the core says whether it can be
// shown, the view glides to it and the object blinks — in the drawing only: the selection is
// never touched, so the tables stay still and nothing is left half-selected.

#include "ui/schema2d/Shema2DForm.h"

#include "core/schema/SchemaFind.h"
#include "core/schema/SchemaPositions.h"
#include "core/model/Mine.h"
#include "ui/app/GotoForm.h"
#include "ui/common/MessageBoxes.h"
#include "ui/document/ChildForm.h"
#include "ui/schema2d/SchemaPanel.h"
#include "ui/schema2d/SchemaSettings.h"
#include "ui/schema2d/SchemaViewActions.h"

#include <QAction>
#include <QTimer>

namespace {

constexpr int kGlideSteps = 10;
constexpr int kGlideStepMs = 1;
constexpr int kBlinkMs = 300;

}  // namespace

void TShema2DForm::BuildFindActions()
{
    connect(AddCommand(TSchemaCommand::Find, QStringLiteral("Найти..."), "Ctrl+F", "edit-find"), &QAction::triggered, this, [this] {
        if (!document_)
            return;
        TGotoForm form(*document_->Mine(), this);
        if (form.exec() == QDialog::Accepted)
            FindObject(form.Object());
    });
    glide_ = new QTimer(this);
    glide_->setInterval(kGlideStepMs);
    connect(glide_, &QTimer::timeout, this, [this] {
        ++glideStep_;
        const QPointF at = QPointF(glideFrom_) + QPointF(glideTo_ - glideFrom_) * (double(glideStep_) / kGlideSteps);
        ScrollTo(at.toPoint());
        if (glideStep_ >= kGlideSteps) {
            glide_->stop();
            blink_->start();
        }
    });
    blink_ = new QTimer(this);
    blink_->setInterval(kBlinkMs);
    connect(blink_, &QTimer::timeout, this, [this] {
        blinkOn_ = !blinkOn_;
        panel_->Invalidate();
    });
}

void TShema2DForm::FindObject(TMineObject* object)
{
    StopBlink();
    if (!document_ || !object || object->Mine() != document_->Mine())
        return;
    const TSchemaFindResult result = SchemaFind::Locate(object);
    if (!result.Target) {
        if (!result.Message.isEmpty())
            MessageBoxes::Info(this, result.Message);
        return;
    }
    if (result.ShowDevices && !settings_.Params.DevVisible) {
        settings_.Params.DevVisible = true;
        SyncViewActions();
        RepaintSchema(true);
    }
    const std::optional<QPointF> point = SchemaPositions::PlaceOf(*result.Target);
    if (!point)
        return;
    found_ = result.Target;
    blinkOn_ = true;
    // Where the view ends: the target at the centre; it glides there in ten steps.
    glideFrom_ = view_.ScrollPosition();
    TViewGeometry target = view_;
    target.CentreOn(*point);
    glideTo_ = target.ScrollPosition();
    glideStep_ = 0;
    glide_->start();
}

void TShema2DForm::StopBlink()
{
    const bool was = found_ != nullptr;
    if (glide_ && glide_->isActive()) {
        glide_->stop();
        ScrollTo(glideTo_);
    }
    if (blink_)
        blink_->stop();
    found_ = nullptr;
    blinkOn_ = false;
    if (was)
        panel_->Invalidate();
}
