// "Найти..." on the schema: the go-to dialog picks the object, the core says whether it can be
// shown, the view glides to it and the object blinks — in the drawing only: the selection is
// never touched, so the tables stay still and nothing is left half-selected. The object is held
// by its identity, so a repaint of the window or an edit elsewhere neither stops the blinking
// nor leaves it pointing at a freed object.

#include "ui/schema2d/Shema2DForm.h"

#include "core/schema/SchemaFind.h"
#include "core/schema/SchemaPositions.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
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
    connect(blink_, &QTimer::timeout, this, &TShema2DForm::BlinkTick);
}

void TShema2DForm::BlinkTick()
{
    const TMineObject* found = Found();
    if (!found) {
        StopBlink();
        return;
    }
    blinkOn_ = !blinkOn_;
    // Only the object's part of the picture is drawn again: a tick costs the same on a mine of
    // fifty thousand branches as on ten.
    panel_->InvalidateArea(FoundArea(*found));
}

bool TShema2DForm::Blinks() const { return blink_ && blink_->isActive(); }

const TMineObject* TShema2DForm::Found() const
{
    if (!foundSerial_ || !document_)
        return nullptr;
    return document_->Mine()->FindObject(foundKind_, foundSerial_);
}

QRect TShema2DForm::FoundArea(const TMineObject& object) const
{
    // The object's places on the schema: a branch's two ends, else its one place.
    QRectF area;
    if (const auto* branch = dynamic_cast<const TBranch*>(&object)) {
        if (branch->StartUzel() && branch->EndUzel())
            area = QRectF(view_.ToScreen(QPointF(branch->StartUzel()->SX(), branch->StartUzel()->SY())),
                          view_.ToScreen(QPointF(branch->EndUzel()->SX(), branch->EndUzel()->SY())))
                       .normalized();
    } else if (const std::optional<QPointF> place = SchemaPositions::PlaceOf(object)) {
        area = QRectF(view_.ToScreen(*place), QSizeF(0, 0));
    }
    // Wide enough for the largest symbol, a thick branch and the node's surface mark.
    const double reach = 24 * view_.SymbolFactor() + 4;
    return area.adjusted(-reach, -reach, reach, reach).toAlignedRect();
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
    foundKind_ = result.Target->ObjectKind();
    foundSerial_ = result.Target->Serial();
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
    const bool was = foundSerial_ != 0;
    if (glide_ && glide_->isActive()) {
        glide_->stop();
        ScrollTo(glideTo_);
    }
    if (blink_)
        blink_->stop();
    foundSerial_ = 0;
    blinkOn_ = false;
    if (was)
        panel_->Invalidate();
}
