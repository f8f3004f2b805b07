#include "ui/document/ChildForm.h"

#include "core/checks/CheckCommands.h"
#include "core/checks/FreeNumbers.h"
#include "core/editing/ClipboardRules.h"
#include "core/editing/CopyTargets.h"
#include "core/editing/TableEdits.h"
#include "core/file/AtomicFile.h"
#include "core/file/NetworkFile.h"
#include "core/file/VersionTable.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"
#include "core/settings/Config.h"
#include "ui/common/FileDialogs.h"
#include "ui/common/MessageBoxes.h"
#include "ui/common/WaitCursor.h"
#include "ui/document/BranchRowHeader.h"
#include "ui/document/BranchTableModel.h"
#include "ui/document/ColumnMoves.h"
#include "ui/document/DocumentClipboard.h"
#include "ui/document/GridDelegate.h"
#include "ui/document/GridHeader.h"
#include "ui/document/MessagePanel.h"
#include "ui/document/ResultsPage.h"
#include "ui/document/UzelTableModel.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QListView>
#include <QMenu>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kNotFound = QStringLiteral("Файл %1 не найден");
const QString kUnknownFormat = QStringLiteral("Файл %1 имеет неизвестный программе формат или поврежден");
const QString kSaveChanges = QStringLiteral("Сохранить изменения в файле %1?");
const QString kDeleteLoneUzel = QStringLiteral("Узел №%1 не имеет инцидентных выработок.\r\nУдалить узел?");
const QString kDeleteUzelWithBranches = QStringLiteral(
    "Узел №%1 имеет инцидентные выработки в количестве %2.\r\nВы можете удалить только узел либо всю \"связку\" "
    "целиком\r\n\r\nДа\t- удалить только узел\r\nНет\t- удалить узел и связанные с ним выработки\r\nОтмена\t- "
    "закрытие окна без удаления");
const QString kDeleteBranch = QStringLiteral("Удалить выработку №%1?");
const QString kUzelNotFound = QStringLiteral("Узел не найден");
const QString kBranchNotFound = QStringLiteral("Выработка не найдена");
const QString kDeviceNotFound = QStringLiteral("Устройство не найдено");
const QString kTotalLength = QStringLiteral("Суммарная длина = %1 м");

// Sort order of a heading click, or −1 for columns that do not sort.
int UzelSortOf(int param)
{
    return param >= upNum && param <= upZ ? param : -1;
}

int BranchSortOf(int param)
{
    switch (param) {
    case bpNum:
        return bsoNumber;
    case bpNumS:
        return bsoStartNumber;
    case bpNumE:
        return bsoEndNumber;
    case bpL:
        return bsoLength;
    case bpAngle:
        return bsoAngle;
    case bpRemark:
        return bsoRemark;
    case bpFirePDiam:
        return bsoFireDiameter;
    case bpFirePWall:
        return bsoFireWall;
    case bpFirePK:
        return bsoFireK;
    default:
        return -1;
    }
}

TSaveFlow::TReply ReplyOf(TMsgAnswer answer)
{
    switch (answer) {
    case TMsgAnswer::Yes:
        return TSaveFlow::TReply::Yes;
    case TMsgAnswer::No:
        return TSaveFlow::TReply::No;
    default:
        return TSaveFlow::TReply::Cancel;
    }
}

}  // namespace

TChildForm::TChildForm(TConfig& config, QWidget* parent)
    : QWidget(parent),
      config_(config),
      mine_(std::make_unique<TMine>(ChildFormTexts::kNewMineName)),
      rows_(std::make_unique<TDocumentRows>(mine_.get())),
      look_(config),
      file_{ChildFormTexts::kNewFileName, false, kCurrentFileVersion, false}
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    BindMine();
    InitialColumnWidths();
    BuildWidgets();
    UpdateCaption();
}

TChildForm::~TChildForm()
{
    destroying_ = true;
    if (mine_)
        mine_->OnChange = nullptr;
    // The widgets go first (content_), then the state they showed.
    content_.reset();
}

// ---------------------------------------------------------------------------------------
// Building

void TChildForm::BuildWidgets()
{
    content_ = std::make_unique<QWidget>(this);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(content_.get());

    pages_ = new QStackedWidget(content_.get());
    pages_->setObjectName(QStringLiteral("PageControl"));
    tabSet_ = new QTabBar(content_.get());
    tabSet_->setObjectName(QStringLiteral("TabSet"));
    tabSet_->setShape(QTabBar::RoundedSouth);
    tabSet_->setExpanding(false);
    tabSet_->setDrawBase(false);
    tabSet_->addTab(ChildFormTexts::kTopologyPage);
    tabSet_->addTab(ChildFormTexts::kPipelinePage);
    auto* layout = new QVBoxLayout(content_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pages_, 1);
    layout->addWidget(tabSet_);

    // Page 1: nodes | branches, the message panel below.
    auto* page1 = new QWidget(pages_);
    vSplitter_ = new QSplitter(Qt::Vertical, page1);
    hSplitter_ = new QSplitter(Qt::Horizontal, vSplitter_);
    hSplitter_->setObjectName(QStringLiteral("HSplitter"));
    hSplitter_->setChildrenCollapsible(false);

    uzelGrid_ = new TGridView(hSplitter_);
    uzelGrid_->setObjectName(QStringLiteral("UzelGrid"));
    uzelModel_ = new TUzelTableModel(rows_.get(), &uzelCols_, &look_, uzelGrid_);
    uzelGrid_->setHorizontalHeader(new TGridHeader(uzelGrid_));
    uzelGrid_->setVerticalHeader(new TPlainRowHeader(uzelGrid_));
    uzelGrid_->setModel(uzelModel_);
    uzelGrid_->setItemDelegate(new TGridDelegate(TTableKind::Uzels, &look_, uzelGrid_));

    branchGrid_ = new TGridView(hSplitter_);
    branchGrid_->setObjectName(QStringLiteral("BranchGrid"));
    branchModel_ = new TBranchTableModel(rows_.get(), &branchCols_, &look_, branchGrid_);
    branchGrid_->setHorizontalHeader(new TGridHeader(branchGrid_));
    branchGrid_->setVerticalHeader(new TBranchRowHeader(branchModel_, branchGrid_));
    branchGrid_->setModel(branchModel_);
    branchGrid_->setItemDelegate(new TGridDelegate(TTableKind::Branches, &look_, branchGrid_));

    hSplitter_->addWidget(uzelGrid_);
    hSplitter_->addWidget(branchGrid_);
    hSplitter_->setStretchFactor(0, 0);
    hSplitter_->setStretchFactor(1, 1);
    messagePanel_ = new TMessagePanel(&messages_, vSplitter_);
    vSplitter_->addWidget(hSplitter_);
    vSplitter_->addWidget(messagePanel_);
    vSplitter_->setStretchFactor(0, 3);
    vSplitter_->setStretchFactor(1, 1);
    messagePanel_->hide();
    auto* page1Layout = new QVBoxLayout(page1);
    page1Layout->setContentsMargins(0, 0, 0, 0);
    page1Layout->addWidget(vSplitter_);
    pages_->addWidget(page1);

    results_ = new TResultsPage(&resultCols_, &look_, pages_);
    pages_->addWidget(results_);

    lastFocused_ = uzelGrid_;
    for (TGridView* grid : {uzelGrid_, branchGrid_}) {
        grid->installEventFilter(this);
        grid->setContextMenuPolicy(Qt::DefaultContextMenu);
        connect(grid, &TGridView::CommandKey, this, [this, grid](TGridView::TCommandKey key) { OnCommandKey(grid, key); });
        connect(grid, &TGridView::ContextMenuAt, this, [this, grid](const QPoint& pos) { ShowGridMenu(grid, pos); });
        connect(grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
                [this, grid](int column) { OnHeaderClicked(grid, column); });
        connect(grid->GridModel(), &TGridModel::EditFailed, this, &TChildForm::ShowEditError, Qt::QueuedConnection);
        connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this, [this, grid] {
            if (grid == branchGrid_)
                emit CurrentBranchChanged();
            emit StateChanged();
        });
    }
    KeepColumnOrderInDescriptors(uzelGrid_->horizontalHeader(), [this](int from, int to) {
        StoreColumnWidths();
        uzelModel_->MoveColumn(from, to);
        ApplyColumnLayout();
        SetModified(true);
    });
    KeepColumnOrderInDescriptors(branchGrid_->horizontalHeader(), [this](int from, int to) {
        StoreColumnWidths();
        branchModel_->MoveColumn(from, to);
        ApplyColumnLayout();
        SetModified(true);
    });
    connect(results_, &TResultsPage::ColumnsMoved, this, [this] { SetModified(true); });
    connect(uzelGrid_, &TGridView::RowClicked, this, &TChildForm::OnUzelClicked);
    connect(branchGrid_, &TGridView::RowClicked, this, &TChildForm::OnBranchClicked);
    connect(branchGrid_, &TGridView::CheckBoxClicked, this, [this](int row) {
        if (TBranch* b = rows_->BranchAt(row))
            TableEdits::SetFirePipeLaid(*b, !b->FirePipe()->Present());
    });
    connect(uzelGrid_, &TGridView::AddRequested, this, &TChildForm::AddUzel);
    connect(branchGrid_, &TGridView::AddRequested, this, &TChildForm::AddBranch);

    connect(tabSet_, &QTabBar::currentChanged, this, [this](int page) {
        pages_->setCurrentIndex(page);
        emit StateChanged();
    });
    connect(messagePanel_, &TMessagePanel::GotoSourceRequested, this, &TChildForm::GotoSource);
    connect(messagePanel_, &TMessagePanel::GotoSchemaRequested, this, [this](int line) {
        if (line >= 0 && line < messages_.Count())
            if (TMineObject* obj = messages_.Resolve(line, *mine_))
                emit GotoSchemaRequested(obj);
    });
    connect(messagePanel_, &TMessagePanel::ClearChecksRequested, this, &TChildForm::ClearCheckMessages);
    connect(messagePanel_, &TMessagePanel::ClearFreeNumsRequested, this, &TChildForm::ClearFreeNumberMessages);
    connect(messagePanel_, &TMessagePanel::ClearAllRequested, this, &TChildForm::ClearAllMessages);
    connect(messagePanel_, &TMessagePanel::CloseRequested, this, [this] { SetMessagesVisible(false); });

    uzelGrid_->setMinimumWidth(120);
    hSplitter_->setSizes({260, 640});
    ApplyColumnLayout();
}

void TChildForm::BindMine()
{
    mine_->SetLocalResistanceK(config_.DefaultKoefR);
    mine_->OnChange = [this](TMine*, bool structural) { MineChanged(structural); };
}

void TChildForm::InitialColumnWidths()
{
    for (TColumnSet* set : {&uzelCols_, &branchCols_, &resultCols_})
        for (int i = 0; i < set->Count(); ++i) {
            TColumnDescriptor& d = set->At(i);
            const bool remark = (set == &branchCols_ && d.Def.Param == bpRemark)
                                || (set == &resultCols_ && d.Def.Param == hbpRemark);
            d.Width = remark ? TableColumns::kRemarkWidth : look_.InitialWidth(d.Def);
        }
}

void TChildForm::ApplyColumnLayout()
{
    struct Item {
        TGridView* grid;
        TColumnSet* cols;
    };
    for (const Item& it : {Item{uzelGrid_, &uzelCols_}, Item{branchGrid_, &branchCols_}}) {
        it.grid->setFont(look_.Font());
        it.grid->verticalHeader()->setDefaultSectionSize(look_.RowHeight());
        static_cast<TGridHeader*>(it.grid->horizontalHeader())->SetHeight(look_.HeadingHeight());
        for (int c = 0; c < it.cols->Count(); ++c) {
            it.grid->setColumnWidth(c, it.cols->At(c).Width);
            it.grid->setColumnHidden(c, !it.cols->At(c).Visible);
        }
    }
    results_->ApplyLook();
    FitUzelGrid();
}

void TChildForm::FitUzelGrid()
{
    // The node table takes the width of its columns; the branch table the rest.
    int width = uzelGrid_->verticalHeader()->width() + 2 * uzelGrid_->frameWidth()
                + uzelGrid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    for (int c = 0; c < uzelCols_.Count(); ++c)
        if (!uzelGrid_->isColumnHidden(c))
            width += uzelGrid_->columnWidth(c);
    const QList<int> sizes = hSplitter_->sizes();
    const int total = std::max(sizes.value(0) + sizes.value(1), width + 200);
    hSplitter_->setSizes({width, total - width});
}

void TChildForm::StoreColumnWidths()
{
    struct Item {
        TGridView* grid;
        TColumnSet* cols;
    };
    for (const Item& it : {Item{uzelGrid_, &uzelCols_}, Item{branchGrid_, &branchCols_}})
        for (int c = 0; c < it.cols->Count(); ++c)
            if (!it.grid->isColumnHidden(c))
                it.cols->At(c).Width = it.grid->columnWidth(c);
    results_->StoreWidths();
}

void TChildForm::ApplySettings()
{
    look_ = TTableLook(config_);
    mine_->SetLocalResistanceK(config_.DefaultKoefR);
    StoreColumnWidths();
    uzelModel_->Reload();
    branchModel_->Reload();
    ApplyColumnLayout();
}

void TChildForm::UpdateCaption()
{
    setWindowTitle(Caption());
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
        emit StateChanged();
    }
    // No results list exists to drop; the flag tells a results producer to start afresh.
    if (structural)
        refreshNeeded_ = true;
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
// Opening, saving, closing

bool TChildForm::OpenFile(const QString& given)
{
    // One spelling of the path everywhere: the window, the recent list, the lookups.
    const QString path = given.isEmpty() ? given : QFileInfo(given).absoluteFilePath();
    config_.AddRecentFile(path);
    TWaitCursor wait;
    // A path that gives no document leaves no trace in the recent list.
    const auto fail = [this, &path, &wait](const QString& message) {
        config_.RecentFiles.removeAll(path);
        emit RecentFilesChanged();
        wait.Restore();
        MessageBoxes::Error(this, message);
        return false;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(kNotFound.arg(path));
    if (!info.isFile() || info.suffix().toLower() != QStringLiteral("irv"))
        return fail(kUnknownFormat.arg(info.fileName()));
    TNetworkDocument doc;
    try {
        doc = NetworkFile::Read(path);
    } catch (const Exception& e) {
        return fail(e.Message());
    } catch (const std::bad_alloc&) {
        return fail(QStringLiteral("Ошибка при чтении данных из файла %1").arg(info.fileName()));
    }
    if (!doc.Mine)
        return fail(kUnknownFormat.arg(info.fileName()));
    file_.Version = doc.Version;
    AdoptDocument(std::move(doc));
    file_.FileName = info.absoluteFilePath();
    file_.HasFileName = true;
    refreshNeeded_ = false;
    SetModified(false);
    UpdateCaption();
    emit RecentFilesChanged();
    return true;
}

void TChildForm::AdoptDocument(TNetworkDocument&& doc)
{
    // The old mine lives until the tables show the new one.
    std::unique_ptr<TMine> old = std::move(mine_);
    old->OnChange = nullptr;
    messages_.ClearAll();
    uzelModel_->BeginReload();
    branchModel_->BeginReload();
    mine_ = std::move(doc.Mine);
    BindMine();
    rows_->Reset(mine_.get(), doc.BranchOrder);
    selection_.ResetAnchors();
    uzelCols_.ApplyLayout(doc.Settings.UzelCols);
    branchCols_.ApplyLayout(doc.Settings.BranchCols);
    resultCols_.ApplyLayout(doc.Settings.ResultCols);
    colorMode_ = std::clamp(doc.Settings.ColorMode, 0, 2);
    branchModel_->SetColorMode(colorMode_);
    dummyZ_ = doc.Settings.DummyZ;
    reserved1_ = doc.Settings.Reserved1;
    useProjectedPipes_ = doc.Settings.UseProjectedPipes;
    ox_ = doc.Settings.OX;
    oy_ = doc.Settings.OY;
    uzelModel_->EndReload();
    branchModel_->EndReload();
    ApplyColumnLayout();
    old.reset();
    uzelGrid_->SetCurrentCell(0, 0);
    branchGrid_->SetCurrentCell(0, 0);
}

bool TChildForm::SaveFile(bool saveAs)
{
    StoreColumnWidths();
    TSaveFlow flow(file_, saveAs);
    // A save that does not happen leaves the document as it was, under its previous name.
    const auto fail = [this, &flow] {
        if (flow.Failed(config_))
            emit RecentFilesChanged();
        UpdateCaption();
        return false;
    };

    if (flow.AsksForName()) {
        TSaveRequest request;
        request.Folder = flow.DialogFolder(config_.SourcePath);
        request.ProposedName = flow.ProposedName();
        request.Filters = TSaveFlow::Filters();
        request.FilterIndex = flow.FilterIndex();
        request.DefaultSuffix = QStringLiteral("irv");
        const TSaveAnswer answer = FileDialogs::Save(this, request);
        if (!answer.Accepted || answer.Path.isEmpty())
            return false;
        flow.NameChosen(answer.Path, answer.FilterIndex, config_);
        UpdateCaption();
    }

    if (flow.Question() != TSaveFlow::TQuestion::None) {
        const TMsgAnswer a = MessageBoxes::Ask(this, flow.QuestionText(),
                                               flow.QuestionHasCancel() ? TMsgButtons::YesNoCancel : TMsgButtons::YesNo,
                                               TMsgIcon::Warning);
        if (!flow.Reply(ReplyOf(a)))
            return fail();
    }

    try {
        TWaitCursor wait;
        NetworkFile::Write(flow.Path(), *mine_, DocumentSettings(), rows_->BranchOrderVector(), flow.Version());
    } catch (const Exception& e) {
        // The previous file is untouched; so are the document's name and state.
        fail();
        MessageBoxes::Error(this, e.Message());
        emit StateChanged();
        return false;
    }
    flow.Succeeded();
    SetModified(false);
    UpdateCaption();
    emit RecentFilesChanged();
    return true;
}

bool TChildForm::AskSaveChanges()
{
    if (!file_.Modified)
        return true;
    switch (MessageBoxes::Ask(this, kSaveChanges.arg(Caption()), TMsgButtons::YesNoCancel, TMsgIcon::Question)) {
    case TMsgAnswer::Yes:
        return SaveFile(false);
    case TMsgAnswer::No:
        return true;
    default:
        return false;
    }
}

bool TChildForm::CanClose()
{
    if (busy_.Busy())
        return false;
    return AskSaveChanges();
}

void TChildForm::closeEvent(QCloseEvent* event)
{
    if (CanClose())
        event->accept();
    else
        event->ignore();
}

// ---------------------------------------------------------------------------------------
// Pages and tables

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

TUzel* TChildForm::CurrentUzel() const
{
    const QModelIndex i = uzelGrid_->currentIndex();
    return i.isValid() ? rows_->UzelAt(i.row()) : nullptr;
}

TBranch* TChildForm::CurrentBranch() const
{
    const QModelIndex i = branchGrid_->currentIndex();
    return i.isValid() ? rows_->BranchAt(i.row()) : nullptr;
}

void TChildForm::ShowUzel(TUzel* uzel)
{
    if (!uzel)
        return;
    SetCurrentPage(0);
    if (rows_->UzelRow(uzel) < 0 && rows_->UzelFilter() != TDocumentRows::AllUzels)
        SetUzelFilter(TDocumentRows::AllUzels);
    const int row = rows_->UzelRow(uzel);
    if (row < 0)
        return;
    const QModelIndex cur = uzelGrid_->currentIndex();
    uzelGrid_->SetCurrentCell(row, cur.isValid() ? cur.column() : 0);
    uzelGrid_->setFocus();
}

void TChildForm::ShowBranch(TBranch* branch, bool firstPage)
{
    if (!branch)
        return;
    if (firstPage)
        SetCurrentPage(0);
    if (rows_->Stale())
        SyncRows();
    if (rows_->BranchRow(branch) < 0 && rows_->BranchFilter() != TDocumentRows::AllBranches)
        SetBranchFilter(TDocumentRows::AllBranches);
    const int row = rows_->BranchRow(branch);
    if (row < 0)
        return;
    const QModelIndex cur = branchGrid_->currentIndex();
    branchGrid_->SetCurrentCell(row, cur.isValid() ? cur.column() : 0);
    branchGrid_->setFocus();
}

bool TChildForm::EditorMode() const
{
    return lastFocused_->GridModel()->EditorMode();
}

void TChildForm::SetEditorMode(bool on)
{
    TGridView* grid = lastFocused_;
    grid->GridModel()->SetEditorMode(on);
    grid->setEditTriggers(on ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                                   | QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked
                             : QAbstractItemView::NoEditTriggers);
    if (!on)
        grid->CommitEditor();
    emit StateChanged();
}

int TChildForm::UzelFilter() const
{
    return rows_->UzelFilter();
}

int TChildForm::BranchFilter() const
{
    return rows_->BranchFilter();
}

void TChildForm::SetUzelFilter(int filter)
{
    uzelModel_->BeginReload();
    rows_->SetUzelFilter(filter == 1 ? TDocumentRows::SurfaceUzels : TDocumentRows::AllUzels);
    uzelModel_->EndReload();
    selection_.ResetAnchors();
    uzelGrid_->SetCurrentCell(0, 0);
    emit StateChanged();
}

void TChildForm::SetBranchFilter(int filter)
{
    if (rows_->Stale())
        SyncRows();
    branchModel_->BeginReload();
    rows_->SetBranchFilter(filter == 1 ? TDocumentRows::IncidentBranches : TDocumentRows::AllBranches, CurrentUzel());
    branchModel_->EndReload();
    selection_.ResetAnchors();
    branchGrid_->SetCurrentCell(0, 0);
    emit StateChanged();
}

void TChildForm::SortUzels(int order)
{
    TUzel* current = CurrentUzel();
    uzelModel_->BeginReload();
    rows_->SortUzels(order);
    uzelModel_->EndReload();
    selection_.ResetAnchors();
    if (current)
        ShowUzel(current);
    SetModified(true);
}

void TChildForm::SortBranches(int order)
{
    if (rows_->Stale())
        SyncRows();
    TBranch* current = CurrentBranch();
    branchModel_->BeginReload();
    rows_->SortBranches(order);
    branchModel_->EndReload();
    selection_.ResetAnchors();
    if (current)
        ShowBranch(current);
    SetModified(true);
}

void TChildForm::OnHeaderClicked(TGridView* grid, int column)
{
    const int param = grid->GridModel()->ParamAt(column);
    if (grid == uzelGrid_) {
        if (const int order = UzelSortOf(param); order >= 0)
            SortUzels(order);
    } else if (const int order = BranchSortOf(param); order >= 0) {
        SortBranches(order);
    }
}

void TChildForm::OnUzelClicked(const TRowClick& click)
{
    selection_.ClickUzel(*rows_, click);
    if (rows_->BranchFilter() == TDocumentRows::IncidentBranches)
        SetBranchFilter(TDocumentRows::IncidentBranches);
    Refresh();
}

void TChildForm::OnBranchClicked(const TRowClick& click)
{
    if (rows_->Stale())
        SyncRows();
    selection_.ClickBranch(*rows_, click);
    uzelGrid_->viewport()->update();
    emit CurrentBranchChanged();
    Refresh();
}

void TChildForm::OnCommandKey(TGridView* grid, TGridView::TCommandKey key)
{
    lastFocused_ = grid;
    const bool uzels = grid == uzelGrid_;
    switch (key) {
    case TGridView::CopyKey:
        if (CanCutCopy())
            CopyToClipboard();
        break;
    case TGridView::CutKey:
        if (CanCutCopy())
            CutToClipboard();
        break;
    case TGridView::PasteKey:
        if (CanPaste())
            PasteFromClipboard();
        break;
    case TGridView::DeleteKey:
        uzels ? DeleteUzel() : DeleteBranch();
        break;
    case TGridView::AddKey:
        uzels ? AddUzel() : AddBranch();
        break;
    case TGridView::ToggleLaidKey:
        if (TBranch* b = CurrentBranch())
            TableEdits::SetFirePipeLaid(*b, !b->FirePipe()->Present());
        break;
    }
}

void TChildForm::ShowEditError(const QString& message)
{
    MessageBoxes::Error(this, message);
}

void TChildForm::ShowGridMenu(TGridView* grid, const QPoint& globalPos)
{
    if (!actionLookup_)
        return;
    const bool uzels = grid == uzelGrid_;
    QStringList names = {QStringLiteral("actEditorMode"), QStringLiteral("-"), QStringLiteral("actCutToClipboard"),
                         QStringLiteral("actCopyToClipboard"), QStringLiteral("actPasteFromClipboard"),
                         QStringLiteral("-")};
    if (uzels)
        names << QStringLiteral("actAddUzel") << QStringLiteral("actDelUzel") << QStringLiteral("actSurfacedUzel")
              << QStringLiteral("actTransform");
    else
        names << QStringLiteral("actAddBranch") << QStringLiteral("actDelBranch") << QStringLiteral("actBranchBreak");
    names << QStringLiteral("-") << QStringLiteral("actShowOnSchema");
    if (!uzels)
        names << QStringLiteral("actEditLayers") << QStringLiteral("actEditPipe");
    names << QStringLiteral("-") << QStringLiteral("actUzelGrid") << QStringLiteral("actBranchGrid")
          << QStringLiteral("actMessageView");
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("GridMenu1"));
    for (const QString& name : names) {
        if (name == QStringLiteral("-")) {
            if (!menu.actions().isEmpty() && !menu.actions().constLast()->isSeparator())
                menu.addSeparator();
        } else if (QAction* a = actionLookup_(name)) {
            menu.addAction(a);
        }
    }
    if (!menu.actions().isEmpty())
        menu.exec(globalPos);
}

// ---------------------------------------------------------------------------------------
// Adding and deleting

void TChildForm::AddUzel()
{
    SetCurrentPage(0);
    if (rows_->UzelFilter() != TDocumentRows::AllUzels)
        SetUzelFilter(TDocumentRows::AllUzels);
    TUzel* uzel = TableEdits::AddUzel(*mine_);
    SyncRows();
    const int row = rows_->UzelRow(uzel);
    uzelGrid_->SetCurrentCell(row, std::max(uzelGrid_->FirstEditableColumn(row), 0));
    uzelGrid_->setFocus();
}

void TChildForm::AddBranch()
{
    SetCurrentPage(0);
    SyncRows();
    if (rows_->BranchFilter() != TDocumentRows::AllBranches)
        SetBranchFilter(TDocumentRows::AllBranches);
    TBranch* branch = TableEdits::AddBranch(*mine_, defaultLayer_, defaultPLF_);
    SyncRows();
    const int row = rows_->BranchRow(branch);
    branchGrid_->SetCurrentCell(row, std::max(branchGrid_->FirstEditableColumn(row), 0));
    branchGrid_->setFocus();
}

void TChildForm::DeleteUzel()
{
    TUzel* uzel = CurrentUzel();
    if (!uzel)
        return;
    if (uzel->IncidentCount() == 0) {
        if (MessageBoxes::Ask(this, kDeleteLoneUzel.arg(uzel->Number()), TMsgButtons::YesNo) != TMsgAnswer::Yes)
            return;
        TableEdits::DeleteUzel(*mine_, uzel, false);
    } else {
        const TMsgAnswer a = MessageBoxes::Ask(this, kDeleteUzelWithBranches.arg(uzel->Number()).arg(uzel->IncidentCount()),
                                               TMsgButtons::YesNoCancel);
        if (a == TMsgAnswer::Yes)
            TableEdits::DeleteUzel(*mine_, uzel, false);
        else if (a == TMsgAnswer::No)
            TableEdits::DeleteUzel(*mine_, uzel, true);
        else
            return;
    }
    SyncRows();
}

void TChildForm::ToggleSurface()
{
    if (TUzel* uzel = CurrentUzel()) {
        TableEdits::ToggleSurface(*uzel);
        if (rows_->UzelFilter() == TDocumentRows::SurfaceUzels)
            SyncRows();
        Refresh();
    }
}

void TChildForm::DeleteBranch()
{
    if (rows_->Stale())
        SyncRows();
    TBranch* branch = CurrentBranch();
    if (!branch)
        return;
    if (MessageBoxes::Ask(this, kDeleteBranch.arg(branch->Number()), TMsgButtons::YesNo) != TMsgAnswer::Yes)
        return;
    TableEdits::DeleteBranch(*mine_, branch);
    SyncRows();
}

// ---------------------------------------------------------------------------------------
// Clipboard

std::vector<TUzel*> TChildForm::UzelsToCopy() const
{
    return CopyTargets::Uzels(*mine_, CurrentUzel());
}

std::vector<TBranch*> TChildForm::BranchesToCopy() const
{
    return CopyTargets::Branches(*mine_, rows_->BranchOrder(), CurrentBranch());
}

ClipboardRules::TPasteKind TChildForm::PasteKind() const
{
    return ClipboardRules::PasteKind(DocumentClipboard::HasUzels(), DocumentClipboard::HasBranches());
}

bool TChildForm::CanCutCopy() const
{
    return ClipboardRules::CanCutCopy(*rows_, lastFocused_ == uzelGrid_, CurrentPage());
}

bool TChildForm::CanPaste() const
{
    return ClipboardRules::CanPaste(PasteKind());
}

QString TChildForm::CopyCaption() const
{
    return ClipboardRules::CopyCaption(*mine_, lastFocused_ == uzelGrid_);
}

QString TChildForm::CutCaption() const
{
    return ClipboardRules::CutCaption(*mine_, lastFocused_ == uzelGrid_);
}

QString TChildForm::PasteCaption() const
{
    return ClipboardRules::PasteCaption(PasteKind());
}

void TChildForm::CopyToClipboard()
{
    if (rows_->Stale())
        SyncRows();
    if (lastFocused_ == uzelGrid_)
        DocumentClipboard::PutUzels(UzelsToCopy());
    else
        DocumentClipboard::PutBranches(BranchesToCopy());
    emit StateChanged();
}

void TChildForm::CutToClipboard()
{
    if (rows_->Stale())
        SyncRows();
    if (lastFocused_ == uzelGrid_) {
        const auto uzels = UzelsToCopy();
        DocumentClipboard::PutUzels(uzels);
        TableEdits::DeleteUzels(*mine_, uzels);
    } else {
        const auto branches = BranchesToCopy();
        DocumentClipboard::PutBranches(branches);
        TableEdits::DeleteBranches(*mine_, branches);
    }
    SyncRows();
}

void TChildForm::PasteFromClipboard()
{
    SetCurrentPage(0);
    // The table of the pasted kind shows its last row.
    try {
        switch (PasteKind()) {
        case ClipboardRules::TPasteKind::Uzels:
            DocumentClipboard::PasteUzels(*mine_);
            SyncRows();
            if (rows_->UzelCount() > 0)
                uzelGrid_->SetCurrentCell(rows_->UzelCount() - 1, 0);
            break;
        case ClipboardRules::TPasteKind::Branches:
            DocumentClipboard::PasteBranches(*mine_);
            SyncRows();
            if (rows_->BranchCount() > 0)
                branchGrid_->SetCurrentCell(rows_->BranchCount() - 1, 0);
            break;
        case ClipboardRules::TPasteKind::None:
            break;
        }
    } catch (const Exception& e) {
        MessageBoxes::Error(this, e.Message());
    }
    Refresh();
}

// ---------------------------------------------------------------------------------------
// Messages and checks

bool TChildForm::MessagesVisible() const
{
    return !messagePanel_->isHidden();
}

void TChildForm::SetMessagesVisible(bool visible)
{
    if (visible == MessagesVisible())
        return;
    messagePanel_->setVisible(visible);
    emit MessagesVisibilityChanged(visible);
    emit StateChanged();
}

void TChildForm::AfterCheck(const TCheckOutcome& outcome)
{
    if (outcome.HasFindings() && !MessagesVisible()) {
        SetMessagesVisible(true);
        messagePanel_->SelectLine(outcome.FirstLine);
    }
    messagePanel_->UpdateActions();
    emit StateChanged();
}

TCheckOutcome TChildForm::RunCheck(
    const std::function<TCheckOutcome(TMine&, TMessageList&, const TCheckOptions&)>& check)
{
    SetCurrentPage(0);
    TWaitCursor wait;
    const TCheckOptions options{config_.ShowWarnings, useProjectedPipes_, progress_, &busy_};
    const TCheckOutcome outcome = check(*mine_, messages_, options);
    wait.Restore();
    return outcome;
}

void TChildForm::CheckTopology()
{
    AfterCheck(RunCheck(RunTopologyCheck));
}

void TChildForm::CheckPipeline()
{
    AfterCheck(RunCheck(RunPipelineCheck));
}

void TChildForm::FindFreeNumbers()
{
    const TCheckOutcome outcome = RunCheck(RunFreeNumbers);
    // The numbers found are the answer: the panel opens whatever they are.
    SetMessagesVisible(true);
    messagePanel_->SelectLine(outcome.FirstLine);
    messagePanel_->UpdateActions();
    emit StateChanged();
}

void TChildForm::ClearCheckMessages()
{
    messages_.ClearCheckMessages();
    messagePanel_->UpdateActions();
}

void TChildForm::ClearFreeNumberMessages()
{
    messages_.ClearFreeNumberMessages();
    messagePanel_->UpdateActions();
}

void TChildForm::ClearAllMessages()
{
    messages_.ClearAll();
    messagePanel_->UpdateActions();
}

void TChildForm::GotoSource(int line)
{
    if (line < 0 || line >= messages_.Count())
        return;
    const TMessageLine& msg = messages_.Line(line);
    if (!msg.HasObject())
        return;
    if (rows_->Stale())
        SyncRows();
    // Lines name their objects by identity: a deleted object is simply not found.
    TMineObject* obj = messages_.Resolve(line, *mine_);
    switch (msg.Target) {
    case TMessageTarget::Uzel:
        if (auto* uzel = dynamic_cast<TUzel*>(obj))
            ShowUzel(uzel);
        else
            MessageBoxes::Info(this, kUzelNotFound);
        break;
    case TMessageTarget::Branch:
        if (auto* branch = dynamic_cast<TBranch*>(obj))
            ShowBranch(branch);
        else
            MessageBoxes::Info(this, kBranchNotFound);
        break;
    case TMessageTarget::WaterDevice:
    case TMessageTarget::GasDevice:
        if (auto* device = dynamic_cast<TDevice*>(obj)) {
            ShowBranch(device->Branch());
            emit EditDeviceRequested(device);
        } else {
            MessageBoxes::Info(this, kDeviceNotFound);
        }
        break;
    case TMessageTarget::None:
        break;
    }
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
