// The schema window's mouse: tools, clicks that select, drags that move nodes and labels,
// panning, zooming by click or rectangle and the rubber band. What a click or a drag does to
// the mine is the core's (SchemaSelection, SchemaDrags); here the gestures are told apart.

#include "ui/schema2d/Shema2DForm.h"

#include "core/editing/SchemaDrags.h"
#include "core/editing/SchemaSelection.h"
#include "core/editing/TextBlockDraft.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"
#include "render/schema2d/SchemaScene.h"
#include "ui/document/ChildForm.h"
#include "ui/document/GridView.h"
#include "ui/schema2d/EditTextBlockForm.h"
#include "ui/schema2d/InfoPanel.h"
#include "ui/schema2d/ScaleComboBox.h"
#include "ui/schema2d/SchemaPanel.h"
#include "ui/schema2d/SchemaSettings.h"

#include <QAction>
#include <QActionGroup>
#include <QInputDialog>
#include <QKeyEvent>
#include <QToolTip>

#include <cmath>

namespace {

// A zoom rectangle smaller than this on both sides is a click.
constexpr double kZoomClick = 10;

}  // namespace

void TShema2DForm::BuildToolActions()
{
    auto* tools = new QActionGroup(this);
    const struct {
        const char* name;
        QString caption;
        const char* key;
        TTool tool;
    } kTools[] = {
        {"ActArrow", QStringLiteral("Манипулирование"), "F3", TTool::Manipulation},
        {"ActMove", QStringLiteral("Перенос"), "F4", TTool::Pan},
        {"ActIncScale", QStringLiteral("Увеличить"), "", TTool::ZoomIn},
        {"ActDecScale", QStringLiteral("Уменьшить"), "", TTool::ZoomOut},
        {"ActTextBlock", QStringLiteral("Текстовый блок"), "", TTool::TextBlock},
    };
    for (const auto& t : kTools) {
        QAction* action = AddCommand(t.name, t.caption, t.key, "");
        action->setCheckable(true);
        action->setChecked(t.tool == tool_);
        tools->addAction(action);
        const TTool tool = t.tool;
        connect(action, &QAction::triggered, this, [this, tool] { SetTool(tool); });
    }
    QAction* editor = AddCommand("ActEditor", QStringLiteral("Редактор"), "F2", "");
    editor->setCheckable(true);
    connect(editor, &QAction::toggled, this, &TShema2DForm::SetEditorMode);

    connect(panel_, &TSchemaPanel::MousePressed, this, &TShema2DForm::Press);
    connect(panel_, &TSchemaPanel::MouseMoved, this, &TShema2DForm::Move);
    connect(panel_, &TSchemaPanel::MouseReleased, this, &TShema2DForm::Release);
    connect(panel_, &TSchemaPanel::MouseDoubleClicked, this, &TShema2DForm::DoubleClick);
    // The wheel takes the focus to the scale box and steps through the zoom table.
    connect(panel_, &TSchemaPanel::WheelTurned, this, [this](int notches) {
        scaleBox_->setFocus();
        for (int i = 0; i < std::abs(notches); ++i)
            StepZoom(notches > 0);
    });
    connect(AddCommand("ActSelectAll", QStringLiteral("Выделить все"), "", ""), &QAction::triggered, this, [this] {
        if (!document_ || !Scene())
            return;
        const QStringList choices{QStringLiteral("Ветви и узлы"), QStringLiteral("Узлы"), QStringLiteral("Ветви")};
        bool ok = false;
        const QString choice = QInputDialog::getItem(this, QStringLiteral("Выделить все..."), QString(), choices, 0,
                                                     false, &ok);
        if (!ok)
            return;
        SchemaSelection::SelectAll(*document_->Mine(), Scene()->VisibleBranches(),
                                   SchemaSelection::TSelectAll(choices.indexOf(choice)));
        SelectionChanged(nullptr);
    });
}

void TShema2DForm::SetTool(TTool tool)
{
    tool_ = tool;
    const char* names[] = {"ActArrow", "ActMove", "ActIncScale", "ActDecScale", "ActTextBlock"};
    if (QAction* action = Action(QString::fromLatin1(names[int(tool)])))
        action->setChecked(true);
    switch (tool) {
    case TTool::Pan: panel_->setCursor(Qt::OpenHandCursor); break;
    case TTool::ZoomIn:
    case TTool::ZoomOut: panel_->setCursor(Qt::CrossCursor); break;
    case TTool::TextBlock: panel_->setCursor(Qt::IBeamCursor); break;
    default: panel_->unsetCursor(); break;
    }
}

void TShema2DForm::SetEditorMode(bool on)
{
    if (editor_ == on)
        return;
    editor_ = on;
    if (QAction* action = Action(QStringLiteral("ActEditor")))
        action->setChecked(on);
    hitsValid_ = false;
    SyncOrderActions();
}

THit TShema2DForm::HitAt(QPointF position)
{
    TSchemaScene* scene = Scene();
    if (!scene)
        return THit{};
    if (!hitsValid_) {
        hits_.Build(*scene, Context(), editor_);
        hitsValid_ = true;
    }
    return hits_.At(position);
}

QRectF TShema2DForm::SchemaRect(QPointF a, QPointF b) const
{
    return QRectF(view_.ToSchema(a), view_.ToSchema(b)).normalized();
}

void TShema2DForm::SelectionChanged(TMineObject* clicked)
{
    if (document_) {
        if (auto* uzel = dynamic_cast<TUzel*>(clicked))
            document_->ShowUzel(uzel);
        else if (auto* branch = dynamic_cast<TBranch*>(clicked))
            document_->ShowBranch(branch);
        for (TGridView* grid : {document_->UzelGrid(), document_->BranchGrid()})
            if (grid)
                grid->viewport()->update();
    }
    SyncOrderActions();
    // The panel describes the clicked object, else the first one selected.
    TMineObject* shown = clicked;
    if (!shown && document_ && document_->Mine()->Selection.Count() > 0)
        shown = document_->Mine()->Selection.Items(0);
    infoPanel_->ShowObject(shown);
    panel_->Invalidate();
}

void TShema2DForm::Press(QPointF position, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    StopBlink();
    if (!document_ || gesture_ != TGesture::None)
        return;
    pressAt_ = lastAt_ = position;
    dragVector_ = QPointF();
    pressed_ = THit{};
    dragFrame_.Reset();
    if (button == Qt::RightButton) {
        // A temporary pan; the context menus come with the interaction commands.
        gesture_ = TGesture::Pan;
        temporaryPan_ = true;
        panel_->setCursor(Qt::ClosedHandCursor);
        return;
    }
    if (button != Qt::LeftButton)
        return;
    switch (tool_) {
    case TTool::Pan:
        gesture_ = TGesture::Pan;
        panel_->setCursor(Qt::ClosedHandCursor);
        return;
    case TTool::ZoomIn:
    case TTool::ZoomOut:
        gesture_ = TGesture::Zoom;
        return;
    case TTool::TextBlock: {
        // A block where the user clicked, in schema units; it joins the mine only on OK.
        const QPointF at = view_.ToSchema(position);
        TTextBlockDraft draft = TTextBlockDraft::New(int(std::lround(at.x())), int(std::lround(at.y())));
        TEditTextBlockForm form(draft, this);
        if (form.Run(panel_->mapToGlobal(position.toPoint()))) {
            draft.CreateIn(document_->Mine()->TextBlocks);
            document_->SetModified(true);
            RepaintSchema(true);
        }
        return;
    }
    case TTool::Manipulation:
        break;
    }

    TMine& mine = *document_->Mine();
    const bool shift = modifiers & Qt::ShiftModifier;
    pressed_ = HitAt(position);
    switch (pressed_.What) {
    case THit::Kind::Uzel:
        SchemaSelection::ClickUzel(mine, static_cast<TUzel*>(pressed_.Object), shift);
        if (editor_ && pressed_.Object->Selected())
            gesture_ = TGesture::Uzels;
        break;
    case THit::Kind::Branch:
        SchemaSelection::ClickBranch(mine, static_cast<TBranch*>(pressed_.Object), shift);
        if (editor_ && pressed_.Object->Selected())
            gesture_ = TGesture::Uzels;
        break;
    case THit::Kind::Device:
        SchemaSelection::ClickDevice(mine, static_cast<TDevice*>(pressed_.Object), shift);
        if (editor_ && pressed_.Object->Selected()) {
            gesture_ = TGesture::Device;
            deviceStart_ = static_cast<TDevice*>(pressed_.Object)->Position();
        }
        break;
    case THit::Kind::UzelNumber:
    case THit::Kind::UzelResult:
    case THit::Kind::BranchNumber:
    case THit::Kind::SectionResult:
        gesture_ = TGesture::Label;
        return;
    case THit::Kind::None:
        // Ctrl starts a rubber band; a plain click on nothing clears the selection.
        if (modifiers & Qt::ControlModifier) {
            gesture_ = TGesture::Band;
            return;
        }
        if (!shift)
            mine.Selection.Clear();
        break;
    }
    SelectionChanged(pressed_.Object);
}

void TShema2DForm::Move(QPointF position)
{
    ShowMouse(position);
    const QPointF step = position - lastAt_;
    lastAt_ = position;
    switch (gesture_) {
    case TGesture::Pan:
        // The page stays under the mouse.
        ScrollTo(view_.ScrollPosition() - step.toPoint());
        lastAt_ = position - (step - step.toPoint());
        break;
    case TGesture::Zoom:
        panel_->SetOverlay(QRectF(pressAt_, position).normalized().toRect(), false);
        break;
    case TGesture::Band:
        panel_->SetOverlay(QRectF(pressAt_, position).normalized().toRect(), true);
        break;
    case TGesture::Uzels:
    case TGesture::Label:
        dragVector_ = position - pressAt_;
        panel_->Invalidate();
        break;
    case TGesture::Device:
        SlideDevice(position);
        break;
    case TGesture::None:
        break;
    }
}

// The device follows the mouse along its branch: the drag projected on the branch's
// direction over the branch's length on the screen.
void TShema2DForm::SlideDevice(QPointF position)
{
    auto* device = static_cast<TDevice*>(pressed_.Object);
    const TBranch* b = device->Branch();
    if (!b || !b->Linked())
        return;
    const QPointF a = view_.ToScreen(QPointF(b->StartUzel()->SX(), b->StartUzel()->SY()));
    const QPointF e = view_.ToScreen(QPointF(b->EndUzel()->SX(), b->EndUzel()->SY()));
    const double length = std::hypot(e.x() - a.x(), e.y() - a.y());
    const QPointF drag = position - pressAt_;
    const double along = length > 0 ? QPointF::dotProduct(drag, e - a) / length : 0;
    const std::optional<double> slid = SchemaDrags::SlidDevicePosition(*device, deviceStart_, along, length);
    if (!slid)
        return;
    device->SetPosition(*slid);
    if (settings_.Params.HintVisible)
        QToolTip::showText(panel_->mapToGlobal(position.toPoint() + QPoint(12, 12)),
                           SchemaDrags::SlideHint(*device, *slid), panel_);
}

void TShema2DForm::Release(QPointF position, Qt::MouseButton, Qt::KeyboardModifiers modifiers)
{
    if (gesture_ == TGesture::None)
        return;
    Move(position);
    FinishDrag(position, modifiers);
}

void TShema2DForm::FinishDrag(QPointF position, Qt::KeyboardModifiers modifiers)
{
    const TGesture gesture = gesture_;
    gesture_ = TGesture::None;
    dragFrame_.Reset();
    panel_->SetOverlay(QRect(), false);
    if (!document_)
        return;
    TMine& mine = *document_->Mine();
    switch (gesture) {
    case TGesture::Pan:
        if (temporaryPan_)
            temporaryPan_ = false;
        SetTool(tool_);
        break;
    case TGesture::Zoom: {
        const QRectF dragged = QRectF(pressAt_, position).normalized();
        if (dragged.width() > kZoomClick || dragged.height() > kZoomClick)
            view_.FitRect(SchemaRect(dragged.topLeft(), dragged.bottomRight()));
        else
            view_.StepZoom(tool_ == TTool::ZoomIn, view_.ToSchema(position));
        hitsValid_ = false;
        AfterViewChange();
        break;
    }
    case TGesture::Band:
        // Devices with Alt, or with Shift for desktops that keep Alt-drags for themselves.
        SchemaSelection::SelectInside(mine, SchemaRect(pressAt_, position),
                                      modifiers & (Qt::AltModifier | Qt::ShiftModifier));
        SelectionChanged(nullptr);
        break;
    case TGesture::Uzels:
        if (SchemaDrags::MoveSelectedUzels(mine, dragVector_, view_.Scale()) > 0)
            document_->SetModified(true);
        dragVector_ = QPointF();
        RepaintSchema(true);
        break;
    case TGesture::Device: {
        QToolTip::hideText();
        auto* device = static_cast<TDevice*>(pressed_.Object);
        if (device->Position() != deviceStart_) {
            device->Pipe()->Devices.SortByPosition();
            document_->SetModified(true);
        }
        RepaintSchema(true);
        break;
    }
    case TGesture::Label:
        if (SchemaDrags::MoveLabel(*pressed_.Object, pressed_.What == THit::Kind::UzelResult, dragVector_,
                                   view_.TextFactor()))
            document_->SetModified(true);
        dragVector_ = QPointF();
        RepaintSchema(true);
        break;
    case TGesture::None:
        break;
    }
}

void TShema2DForm::DoubleClick(QPointF position)
{
    if (!document_ || tool_ != TTool::Manipulation)
        return;
    const THit hit = HitAt(position);
    if (hit.What == THit::Kind::Device)
        emit EditDeviceRequested(static_cast<TDevice*>(hit.Object));
    else if (hit.Branch)
        emit EditPipeRequested(hit.Branch);
}

void TShema2DForm::CancelDrag()
{
    if (gesture_ == TGesture::Device) {
        QToolTip::hideText();
        static_cast<TDevice*>(pressed_.Object)->SetPosition(deviceStart_);
    }
    gesture_ = TGesture::None;
    dragFrame_.Reset();
    temporaryPan_ = false;
    dragVector_ = QPointF();
    panel_->SetOverlay(QRect(), false);
    SetTool(tool_);
    panel_->Invalidate();
}

void TShema2DForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && gesture_ != TGesture::None) {
        CancelDrag();
        return;
    }
    QMainWindow::keyPressEvent(event);
}
