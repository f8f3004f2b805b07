// The document window's state: its life, the changes of its mine, the document values,
// the pages and the focused table, the status texts. The other concerns of the window
// live beside it in ChildForm*.cpp.

#include "ui/document/ChildForm.h"

#include "core/file/AtomicFile.h"
#include "core/file/ByteReader.h"
#include "core/file/ByteWriter.h"
#include "core/file/SettingsBlock.h"
#include "core/file/VersionTable.h"
#include "core/history/EditTransaction.h"
#include "core/hydraulics/HydroResults.h"
#include "core/model/Errors.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/settings/Config.h"
#include "ui/document/BranchTableModel.h"
#include "ui/document/GridView.h"
#include "ui/document/MessagePanel.h"
#include "ui/document/ResultsPage.h"
#include "ui/document/UzelTableModel.h"

#include <QEvent>
#include <QHeaderView>
#include <QListView>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <utility>

namespace {

const QString kTotalLength = QStringLiteral("Суммарная длина = %1 м");

// A stored layout over the present one: order and visibility as stored, each column keeping
// the width it has now (a width is no edit and goes back with nothing).
std::vector<TColumnLayout> WithPresentWidths(std::vector<TColumnLayout> stored, const std::vector<TColumnLayout>& present)
{
    for (TColumnLayout& c : stored)
        for (const TColumnLayout& p : present)
            if (p.Param == c.Param)
                c.Width = p.Width;
    return stored;
}

}  // namespace

TChildForm::TChildForm(TConfig& config, QWidget* parent)
    : QWidget(parent),
      config_(config),
      mine_(std::make_unique<TMine>(ChildFormTexts::kNewMineName)),
      rows_(std::make_unique<TDocumentRows>(mine_.get())),
      look_(config),
      file_{ChildFormTexts::kNewFileName, false, kCurrentFileVersion, false},
      schemaF_(SchemaFactor(config.Scale2D))
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    BindMine();
    InitialColumnWidths();
    BuildWidgets();
    uzelModel_->SetHistory(&history_);
    branchModel_->SetHistory(&history_);
    UpdateCaption();
}

void TChildForm::SetHydroResults(std::unique_ptr<THydroResults> results)
{
    if (!hydro_ && !results)
        return;
    // The old table goes only after every view has been told and let go of it.
    const std::unique_ptr<THydroResults> old = std::exchange(hydro_, std::move(results));
    emit HydroResultsChanged();
}

TChildForm::~TChildForm()
{
    destroying_ = true;
    if (mine_)
        mine_->OnChange = nullptr;
    // The widgets go first (content_), then the state they showed.
    content_.reset();
}

void TChildForm::BindMine()
{
    mine_->SetLocalResistanceK(config_.DefaultKoefR);
    mine_->OnChange = [this](TMine*, bool structural) { MineChanged(structural); };
    // A new mine starts a new history, at its saved point.
    TEditTarget target;
    target.Mine = mine_.get();
    target.Rows = rows_.get();
    target.CaptureSettings = [this] { return CaptureSettings(); };
    target.RestoreSettings = [this](const QByteArray& bytes) { RestoreSettings(bytes); };
    history_.OnChanged = [this] {
        historyFrom_ = historyAt_;
        historyAt_ = history_.Position();
        if (!destroying_)
            emit HistoryChanged();
    };
    history_.OnApplied = [this] { HistoryApplied(); };
    history_.SetTarget(std::move(target));
}

void TChildForm::UpdateCaption()
{
    // "[*]" shows the modified mark (an asterisk) in the frame and the "Окно" menu.
    QString title = Caption();
    title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(file_.Modified);
}

QString TChildForm::Caption() const
{
    return FileNameOnly(file_.FileName);
}

// ---------------------------------------------------------------------------------------
// Undo and redo

QByteArray TChildForm::CaptureSettings()
{
    ByteWriter w;
    SettingsBlock::Write(w, DocumentSettings(), kCurrentFileVersion);
    w.f64(schemaF_);
    w.f32(ox_);
    w.f32(oy_);
    return w.data();
}

void TChildForm::RestoreSettings(const QByteArray& bytes)
{
    // As a file's settings are taken when it is read.
    ByteReader r(bytes);
    TDocumentSettings s;
    SettingsBlock::Read(r, kCurrentFileVersion, s);
    const double f = r.f64();
    const float ox = r.f32();
    const float oy = r.f32();
    if (content_)
        StoreColumnWidths();
    if (uzelModel_) {
        uzelModel_->BeginReload();
        branchModel_->BeginReload();
    }
    uzelCols_.ApplyLayout(WithPresentWidths(s.UzelCols, uzelCols_.Layout()));
    branchCols_.ApplyLayout(WithPresentWidths(s.BranchCols, branchCols_.Layout()));
    resultCols_.ApplyLayout(WithPresentWidths(s.ResultCols, resultCols_.Layout()));
    colorMode_ = std::clamp(s.ColorMode, 0, 2);
    dummyZ_ = s.DummyZ;
    reserved1_ = s.Reserved1;
    useProjectedPipes_ = s.UseProjectedPipes;
    schemaF_ = f;
    ox_ = ox;
    oy_ = oy;
    if (uzelModel_) {
        branchModel_->SetColorMode(colorMode_);
        uzelModel_->EndReload();
        branchModel_->EndReload();
        ApplyColumnLayout();
    }
}

void TChildForm::HistoryApplied()
{
    if (destroying_)
        return;
    bool structural = false;
    for (int i = std::min(historyFrom_, historyAt_); i < std::max(historyFrom_, historyAt_) && i < history_.Count(); ++i)
        structural = structural || history_.Step(i).Structural;
    // The steps' objects came back as new ones: the results may name what is gone.
    if (structural) {
        refreshNeeded_ = true;
        SetHydroResults(nullptr);
    }
    SyncRows();
    // Message lines follow their objects by identity: those gone or back change what the
    // lines can reach.
    messagePanel_->UpdateActions();
    messagePanel_->ListView()->viewport()->update();
    SetModified(!history_.AtSavedPoint() || changedBesideHistory_);
    emit MineEdited(structural);
}

bool TChildForm::CanUndo() const
{
    return !busy_.Busy() && history_.CanUndo();
}

bool TChildForm::CanRedo() const
{
    return !busy_.Busy() && history_.CanRedo();
}

bool TChildForm::Undo()
{
    if (!TakeTypedValue())
        return false;
    return GoToStep(history_.Position() - 1);
}

bool TChildForm::Redo()
{
    if (!TakeTypedValue())
        return false;
    return GoToStep(history_.Position() + 1);
}

bool TChildForm::TakeTypedValue()
{
    // A check or a calculation reads the mine meanwhile.
    if (busy_.Busy() || history_.Open())
        return false;
    // A value being typed goes in first, as its own step, so that the history starts from
    // what the table shows.
    for (TGridView* grid : {uzelGrid_, branchGrid_})
        grid->CommitEditor();
    return true;
}

bool TChildForm::GoToStep(int position)
{
    const int dropped = history_.DroppedSteps();
    if (!TakeTypedValue())
        return false;
    // The typed value's step may have let the oldest steps go: the places move down.
    position -= history_.DroppedSteps() - dropped;
    if (position < 0 || position > history_.Count())
        return false;
    if (position == history_.Position())
        return true;
    try {
        walking_ = true;
        const bool done = history_.GoTo(position);
        walking_ = false;
        return done;
    } catch (const std::exception& e) {
        walking_ = false;
        // The history stands before the step that failed; the windows show where it stands.
        HistoryApplied();
        const auto* own = dynamic_cast<const Exception*>(&e);
        ShowEditError(own ? own->Message() : QString::fromLocal8Bit(e.what()));
        return false;
    }
}

// ---------------------------------------------------------------------------------------
// Changes of the mine

void TChildForm::MineChanged(bool structural)
{
    if (destroying_)
        return;
    NoteChangeBesideHistory();
    if (!file_.Modified) {
        file_.Modified = true;
        setWindowModified(true);
        emit StateChanged();
    }
    // Objects came or went: the results name sections and devices that may be gone.
    if (structural) {
        refreshNeeded_ = true;
        SetHydroResults(nullptr);
    }
    emit MineEdited(structural);
    if (rows_->MineChanged() && !syncPending_) {
        syncPending_ = true;
        QTimer::singleShot(0, this, [this] {
            if (syncPending_)
                SyncRows();
        });
    }
    ScheduleRefresh();
}

void TChildForm::ScheduleRefresh()
{
    if (refreshPending_)
        return;
    refreshPending_ = true;
    QTimer::singleShot(0, this, &TChildForm::Refresh);
}

void TChildForm::Refresh()
{
    refreshPending_ = false;
    if (destroying_)
        return;
    for (TGridView* grid : {uzelGrid_, branchGrid_}) {
        grid->viewport()->update();
        grid->verticalHeader()->viewport()->update();
    }
    emit StateChanged();
}

void TChildForm::SetBranchOrder(const std::vector<TBranch*>& order)
{
    // Inside a larger action (a branch split) this joins its step.
    TEditTransaction tx(&history_, QStringLiteral("Порядок ветвей"), TEditScope::Structure);
    branchModel_->BeginReload();
    rows_->SetBranchOrder(order);
    branchModel_->EndReload();
    tx.Commit();
    SetModified(true);
}

void TChildForm::SyncRows()
{
    syncPending_ = false;
    const QModelIndex u = uzelGrid_->currentIndex();
    const QModelIndex b = branchGrid_->currentIndex();
    uzelModel_->BeginReload();
    branchModel_->BeginReload();
    rows_->Sync();
    uzelModel_->EndReload();
    branchModel_->EndReload();
    if (u.isValid() && rows_->UzelCount() > 0)
        uzelGrid_->SetCurrentCell(std::min(u.row(), rows_->UzelCount() - 1), u.column());
    if (b.isValid() && rows_->BranchCount() > 0)
        branchGrid_->SetCurrentCell(std::min(b.row(), rows_->BranchCount() - 1), b.column());
    Refresh();
}

void TChildForm::NoteChangeBesideHistory()
{
    if (!walking_ && history_.Open() == nullptr && history_.AtSavedPoint())
        changedBesideHistory_ = true;
}

void TChildForm::SetModified(bool modified)
{
    if (modified)
        NoteChangeBesideHistory();
    else
        changedBesideHistory_ = false;
    file_.Modified = modified;
    setWindowModified(modified);
    // Not modified: the document is as its file (read, written or made new) keeps it, and
    // undoing back to here clears the flag again.
    if (!modified) {
        mine_->SetModified(false, false);
        if (history_.Open() == nullptr)
            history_.MarkSaved();
    }
    emit StateChanged();
}

// ---------------------------------------------------------------------------------------
// Document values

void TChildForm::SetColorMode(int mode)
{
    if (mode < 0 || mode > 2 || mode == colorMode_)
        return;
    colorMode_ = mode;
    branchModel_->SetColorMode(mode);
    branchGrid_->viewport()->update();
    SetModified(true);
}

void TChildForm::SetUseProjectedPipes(bool on)
{
    if (on == useProjectedPipes_)
        return;
    useProjectedPipes_ = on;
    SetModified(true);
}

void TChildForm::SetDummyZ(int value)
{
    if (value == dummyZ_)
        return;
    dummyZ_ = value;
    SetModified(true);
}

void TChildForm::SetOrigin(float ox, float oy)
{
    if (ox == ox_ && oy == oy_)
        return;
    ox_ = ox;
    oy_ = oy;
    SetModified(true);
}

TSchemaFrame TChildForm::SchemaFrame() const
{
    return TSchemaFrame{schemaF_, ox_, oy_};
}

void TChildForm::ChangeMapScale(int mapScale)
{
    // Nothing moves at the same factor, and no step is worth a pass over the mine.
    if (SchemaFactor(mapScale) == schemaF_)
        return;
    TEditTransaction tx(&history_, QStringLiteral("Масштаб карты"), TEditScope::WholeMine);
    tx.TouchSettings();
    TSchemaFrame frame = SchemaFrame();
    SchemaPositions::ChangeFactor(*mine_, frame, SchemaFactor(mapScale));
    schemaF_ = frame.F;
    SetOrigin(frame.OX, frame.OY);
    tx.Commit();
}

TDocumentSettings TChildForm::DocumentSettings() const
{
    TDocumentSettings s;
    s.UzelCols = uzelCols_.Layout();
    s.BranchCols = branchCols_.Layout();
    s.ResultCols = resultCols_.Layout();
    s.ColorMode = colorMode_;
    s.DummyZ = dummyZ_;
    s.Reserved1 = reserved1_;
    s.UseProjectedPipes = useProjectedPipes_;
    s.OX = ox_;
    s.OY = oy_;
    return s;
}

// ---------------------------------------------------------------------------------------
// Pages and the focused table

int TChildForm::CurrentPage() const
{
    return pages_->currentIndex();
}

void TChildForm::SetCurrentPage(int page)
{
    if (page < 0 || page > 1)
        return;
    tabSet_->setCurrentIndex(page);
    pages_->setCurrentIndex(page);
}

TGridView* TChildForm::FocusedGrid() const
{
    return lastFocused_;
}

void TChildForm::FocusGrid(TGridView* grid)
{
    if (grid != uzelGrid_ && grid != branchGrid_)
        return;
    lastFocused_ = grid;
    grid->setFocus();
    emit StateChanged();
}

bool TChildForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == uzelGrid_ || watched == branchGrid_) {
            lastFocused_ = static_cast<TGridView*>(watched);
            emit StateChanged();
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool TChildForm::UzelGridVisible() const
{
    return !uzelGrid_->isHidden();
}

bool TChildForm::BranchGridVisible() const
{
    return !branchGrid_->isHidden();
}

void TChildForm::SetUzelGridVisible(bool visible)
{
    uzelGrid_->setVisible(visible);
    emit StateChanged();
}

void TChildForm::SetBranchGridVisible(bool visible)
{
    branchGrid_->setVisible(visible);
    emit StateChanged();
}

// ---------------------------------------------------------------------------------------
// Status

QString TChildForm::StatusText(int panel) const
{
    switch (panel) {
    case 0:
        return mine_->Name();
    case 1: {
        const QModelIndex i = uzelGrid_->currentIndex();
        return QStringLiteral("%1/%2").arg(i.isValid() ? i.row() + 1 : 0).arg(rows_->UzelCount());
    }
    case 2: {
        const QModelIndex i = branchGrid_->currentIndex();
        return QStringLiteral("%1/%2").arg(i.isValid() ? i.row() + 1 : 0).arg(rows_->BranchCount());
    }
    case 3:
        return file_.Modified ? ChildFormTexts::kModified : QString();
    case 5: {
        double total = 0;
        for (TMineObject* obj : mine_->Selection)
            if (auto* b = dynamic_cast<TBranch*>(obj))
                total += b->Length();
        return kTotalLength.arg(QString::number(total, 'f', 1));
    }
    default:
        return QString();
    }
}
