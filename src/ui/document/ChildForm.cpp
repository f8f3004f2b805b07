// The document window's state: its life, the changes of its mine, the document values,
// the pages and the focused table, the status texts. The other concerns of the window
// live beside it in ChildForm*.cpp.

#include "ui/document/ChildForm.h"

#include "core/file/AtomicFile.h"
#include "core/hydraulics/HydroResults.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/settings/Config.h"
#include "ui/document/BranchTableModel.h"
#include "ui/document/UzelTableModel.h"

#include <QEvent>
#include <QHeaderView>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <utility>

namespace {

const QString kTotalLength = QStringLiteral("Суммарная длина = %1 м");

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
// Changes of the mine

void TChildForm::MineChanged(bool structural)
{
    if (destroying_)
        return;
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
    branchModel_->BeginReload();
    rows_->SetBranchOrder(order);
    branchModel_->EndReload();
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

void TChildForm::SetModified(bool modified)
{
    file_.Modified = modified;
    setWindowModified(modified);
    if (!modified)
        mine_->SetModified(false, false);
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
    TSchemaFrame frame = SchemaFrame();
    SchemaPositions::ChangeFactor(*mine_, frame, SchemaFactor(mapScale));
    schemaF_ = frame.F;
    SetOrigin(frame.OX, frame.OY);
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
