// The schema window's mouse: tools, clicks that select, drags that move nodes and labels,
// panning, zooming by click or rectangle and the rubber band. What a click or a drag does to
// the mine is the core's (SchemaSelection, SchemaDrags); here the gestures are told apart.

#include "ui/schema2d/Shema2DForm.h"

#include "core/history/EditTransaction.h"
#include "core/schema/SchemaDrags.h"
#include "core/schema/SchemaSelection.h"
#include "core/schema/TextBlockDraft.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/TextBlock2D.h"
#include "core/model/Uzel.h"
#include "render/schema2d/SchemaScene.h"
#include "render/schema2d/TextBlockLook.h"
#include "ui/document/ChildForm.h"
#include "ui/document/GridView.h"
#include "ui/schema2d/EditTextBlockForm.h"
#include "ui/schema2d/InfoPanel.h"
#include "ui/schema2d/ScaleComboBox.h"
#include "ui/schema2d/SchemaCursors.h"
#include "ui/schema2d/SchemaPanel.h"
#include "ui/schema2d/SchemaSettings.h"

#include <QAction>
#include <QActionGroup>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>
#include <QToolTip>

#include <cmath>

namespace {

// A zoom rectangle smaller than this on both sides is a click.
constexpr double kZoomClick = 10;
// While the rubber band is held outside the panel the view scrolls this often.
constexpr int kBandScrollMs = 40;

}  // namespace

void TShema2DForm::BuildToolActions()
{
    auto* tools = new QActionGroup(this);
    const struct {
        TSchemaCommand command;
        QString caption;
        const char* key;
        TTool tool;
    } kTools[] = {
        {TSchemaCommand::Arrow, QStringLiteral("Манипулирование"), "F3", TTool::Manipulation},
        {TSchemaCommand::Move, QStringLiteral("Перенос"), "F4", TTool::Pan},
        {TSchemaCommand::IncScale, QStringLiteral("Увеличить"), "", TTool::ZoomIn},
        {TSchemaCommand::DecScale, QStringLiteral("Уменьшить"), "", TTool::ZoomOut},
        {TSchemaCommand::TextBlock, QStringLiteral("Текстовый блок"), "", TTool::TextBlock},
    };
    for (const auto& t : kTools) {
        QAction* action = AddCommand(t.command, t.caption, t.key, "");
        action->setCheckable(true);
        action->setChecked(t.tool == tool_);
        tools->addAction(action);
        const TTool tool = t.tool;
        connect(action, &QAction::triggered, this, [this, tool] { SetTool(tool); });
    }
    QAction* editor = AddCommand(TSchemaCommand::Editor, QStringLiteral("Редактор"), "F2", "");
    editor->setCheckable(true);
    connect(editor, &QAction::toggled, this, &TShema2DForm::SetEditorMode);

    bandScroll_ = new QTimer(this);
    bandScroll_->setInterval(kBandScrollMs);
    connect(bandScroll_, &QTimer::timeout, this, &TShema2DForm::AutoScrollBand);
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
    connect(AddCommand(TSchemaCommand::SelectAll, QStringLiteral("Выделить все"), "", ""), &QAction::triggered, this, [this] {
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
    const TSchemaCommand commands[] = {TSchemaCommand::Arrow, TSchemaCommand::Move, TSchemaCommand::IncScale,
                                       TSchemaCommand::DecScale, TSchemaCommand::TextBlock};
    if (QAction* action = Command(commands[int(tool)]))
        action->setChecked(true);
    switch (tool) {
    case TTool::Pan: ShowCursor(QStringLiteral("MOVEHAND")); break;
    case TTool::ZoomIn: ShowCursor(QStringLiteral("SCALEPLUS")); break;
    case TTool::ZoomOut: ShowCursor(QStringLiteral("SCALEMINUS")); break;
    case TTool::TextBlock: ShowCursor(QStringLiteral("TEXTBLOCK")); break;
    default: ShowCursor(QString()); break;
    }
}

void TShema2DForm::ShowCursor(const QString& name)
{
    if (name == cursorName_)
        return;
    cursorName_ = name;
    if (name.isEmpty()) {
        panel_->unsetCursor();
        return;
    }
    auto it = cursors_.find(name);
    if (it == cursors_.end())
        it = cursors_.emplace(name, SchemaCursor(name)).first;
    panel_->setCursor(it->second);
}

void TShema2DForm::SetEditorMode(bool on)
{
    if (editor_ == on)
        return;
    editor_ = on;
    if (QAction* action = Command(TSchemaCommand::Editor))
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
    if (clicked)
        emit ObjectClicked(clicked);
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
        // The object's menu; on nothing (or an object without one) a temporary pan.
        if (tool_ != TTool::Pan) {
            if (std::unique_ptr<QMenu> menu = ContextMenu(HitAt(position))) {
                menu->exec(panel_->mapToGlobal(position.toPoint()));
                return;
            }
        }
        gesture_ = TGesture::Pan;
        temporaryPan_ = true;
        ShowCursor(QStringLiteral("MOVEHAND"));
        return;
    }
    if (button != Qt::LeftButton)
        return;
    switch (tool_) {
    case TTool::Pan:
        gesture_ = TGesture::Pan;
        return;
    case TTool::ZoomIn:
    case TTool::ZoomOut:
        gesture_ = TGesture::Zoom;
        ShowCursor(QStringLiteral("SCALE"));
        return;
    case TTool::TextBlock: {
        // A block where the user clicked, in schema units; it joins the mine only on OK.
        const QPointF at = view_.ToSchema(position);
        TTextBlockDraft draft = TTextBlockDraft::New(int(std::lround(at.x())), int(std::lround(at.y())));
        TEditTextBlockForm form(draft, this);
        if (form.Run(panel_->mapToGlobal(position.toPoint())) && document_) {
            TEditTransaction tx(History(), QStringLiteral("Добавление текста"), TEditScope::Objects);
            tx.TouchTextBlocks();
            draft.CreateIn(document_->Mine()->TextBlocks);
            tx.Commit();
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
    // What "Свойства..." (Ctrl+J) takes: the object of the last click.
    menuHit_ = pressed_;
    // A text block (editor mode): it becomes the selected block, dragged by its body or
    // turned by its handle; the network's selection stays as it is.
    if (pressed_.What == THit::Kind::TextBlock || pressed_.What == THit::Kind::TextBlockHandle) {
        SelectTextBlock(pressed_.Block);
        gesture_ = pressed_.What == THit::Kind::TextBlock ? TGesture::TextBlock : TGesture::TextBlockTurn;
        blockAngle_.reset();
        return;
    }
    SelectTextBlock(nullptr);
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
    case THit::Kind::TextBlock:
    case THit::Kind::TextBlockHandle:
        break;
    case THit::Kind::None:
        // Ctrl starts a rubber band; a plain click on nothing clears the selection.
        if (modifiers & Qt::ControlModifier) {
            gesture_ = TGesture::Band;
            ShowCursor(QStringLiteral("SELECT"));
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
        // Beyond the panel's edge the band stops at the edge and the view scrolls on a timer
        // (the pointer is never moved: some desktops do not allow it).
        panel_->SetOverlay(QRectF(pressAt_, BandCorner(position)).normalized().toRect(), true);
        if (!panel_->rect().contains(position.toPoint()))
            bandScroll_->start();
        else
            bandScroll_->stop();
        break;
    case TGesture::Uzels:
    case TGesture::Label:
    case TGesture::TextBlock:
        dragVector_ = position - pressAt_;
        panel_->Invalidate();
        break;
    case TGesture::TextBlockTurn:
        if (TTextBlock2D* block = SelectedTextBlock()) {
            blockAngle_ = TextBlockAngleTowards(*block, view_, TViewGeometry::kScreenDpi, position);
            panel_->Invalidate();
        }
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
    bandScroll_->stop();
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
    case TGesture::TextBlock:
        if (TTextBlock2D* block = SelectedTextBlock(); block && !dragVector_.isNull()) {
            TEditTransaction tx(History(), QStringLiteral("Перемещение текста"), TEditScope::Objects);
            tx.TouchTextBlocks();
            block->MoveBy(dragVector_.x() / view_.Scale(), dragVector_.y() / view_.Scale());
            tx.Commit();
            document_->SetModified(true);
        }
        dragVector_ = QPointF();
        RepaintSchema(true);
        break;
    case TGesture::TextBlockTurn:
        if (TTextBlock2D* block = SelectedTextBlock(); block && blockAngle_ && *blockAngle_ != block->Angle()) {
            TEditTransaction tx(History(), QStringLiteral("Поворот текста"), TEditScope::Objects);
            tx.TouchTextBlocks();
            block->SetAngle(*blockAngle_);
            tx.Commit();
            document_->SetModified(true);
        }
        blockAngle_.reset();
        RepaintSchema(true);
        break;
    case TGesture::Band:
        // Devices with Alt, or with Shift for desktops that keep Alt-drags for themselves.
        SchemaSelection::SelectInside(mine, SchemaRect(pressAt_, BandCorner(position)),
                                      modifiers & (Qt::AltModifier | Qt::ShiftModifier));
        SelectionChanged(nullptr);
        break;
    case TGesture::Uzels: {
        // The whole drag is one step; the nodes are kept before any of them moves.
        const std::vector<TUzel*> moving = SchemaDrags::DraggedUzels(mine, dragVector_, view_.Scale());
        if (!moving.empty()) {
            TEditTransaction tx(History(), SchemaDrags::MoveCaption(int(moving.size())), TEditScope::Objects);
            for (const TUzel* u : moving)
                tx.Touch(u);
            SchemaDrags::MoveSelectedUzels(mine, dragVector_, view_.Scale());
            tx.Commit();
            document_->SetModified(true);
        }
        dragVector_ = QPointF();
        RepaintSchema(true);
        break;
    }
    case TGesture::Device: {
        QToolTip::hideText();
        auto* device = static_cast<TDevice*>(pressed_.Object);
        if (const double slid = device->Position(); slid != deviceStart_) {
            // The device followed the mouse outside the history; the step records where it
            // started and where it stopped.
            device->SetPosition(deviceStart_);
            TEditTransaction tx(History(), QStringLiteral("Перемещение устройства"), TEditScope::Objects);
            tx.Touch(device);
            device->SetPosition(slid);
            device->Pipe()->Devices.SortByPosition();
            tx.Commit();
            document_->SetModified(true);
        }
        RepaintSchema(true);
        break;
    }
    case TGesture::Label:
        if (pressed_.Object && !dragVector_.isNull()) {
            TEditTransaction tx(History(), QStringLiteral("Перемещение подписи"), TEditScope::Objects);
            tx.Touch(pressed_.Object);
            if (SchemaDrags::MoveLabel(*pressed_.Object, pressed_.What == THit::Kind::UzelResult, dragVector_,
                                       view_.TextFactor())) {
                tx.Commit();
                document_->SetModified(true);
            }
        }
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
    bandScroll_->stop();
    blockAngle_.reset();
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

QPointF TShema2DForm::BandCorner(QPointF position) const
{
    return QPointF(std::clamp(position.x(), 0.0, double(panel_->width() - 1)),
                   std::clamp(position.y(), 0.0, double(panel_->height() - 1)));
}

void TShema2DForm::AutoScrollBand()
{
    if (gesture_ != TGesture::Band) {
        bandScroll_->stop();
        return;
    }
    // The view moves by how far the mouse is beyond the edge; the band's start moves with the
    // drawing, so it keeps its place on the schema.
    const QPointF corner = BandCorner(lastAt_);
    const QPoint excursion = (lastAt_ - corner).toPoint();
    const QPoint before = view_.ScrollPosition();
    ScrollTo(before + excursion);
    const QPoint moved = view_.ScrollPosition() - before;
    pressAt_ -= QPointF(moved);
    panel_->SetOverlay(QRectF(pressAt_, corner).normalized().toRect(), true);
}
