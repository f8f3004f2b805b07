// The document window's widgets: building the pages, tables and panels and wiring them to
// the window, and the tables' column layout.

#include "ui/document/ChildForm.h"

#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/settings/Config.h"
#include "ui/document/BranchRowHeader.h"
#include "ui/document/BranchTableModel.h"
#include "ui/document/ColumnMoves.h"
#include "ui/document/GridDelegate.h"
#include "ui/document/GridHeader.h"
#include "ui/document/MessagePanel.h"
#include "ui/document/ResultsPage.h"
#include "ui/document/UzelTableModel.h"

#include <QMenu>
#include <QMetaMethod>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QVBoxLayout>

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
    uzelModel_->SetSchemaFrameSource([this] { return SchemaFrame(); });
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

    // One menu for both tables, filled with the main window's commands when it opens.
    gridMenu_ = new QMenu(content_.get());
    gridMenu_->setObjectName(QStringLiteral("GridMenu1"));
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
    connect(this, &TChildForm::HydroResultsChanged, results_, [this] {
        results_->SetResults(hydro_.get());
        emit StateChanged();
    });
    // The branch table and the device panel follow the branch of the current section.
    connect(results_, &TResultsPage::SectionBranchChosen, this,
            [this](const TBranch* branch) { SelectBranchRow(const_cast<TBranch*>(branch)); });
    connect(results_, &TResultsPage::ShowOnSchemaRequested, this, &TChildForm::GotoSchemaRequested);
    connect(uzelGrid_, &TGridView::RowClicked, this, &TChildForm::OnUzelClicked);
    connect(branchGrid_, &TGridView::RowClicked, this, &TChildForm::OnBranchClicked);
    connect(branchGrid_, &TGridView::CheckBoxClicked, this, [this](int row) { ToggleFirePipeLaid(rows_->BranchAt(row)); });
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
    // Until a schema window listens, a request to show the schema would go nowhere.
    messagePanel_->SetSchemaReachable(
        [this] { return isSignalConnected(QMetaMethod::fromSignal(&TChildForm::GotoSchemaRequested)); });
    connect(messagePanel_, &TMessagePanel::ClearChecksRequested, this, &TChildForm::ClearCheckMessages);
    connect(messagePanel_, &TMessagePanel::ClearFreeNumsRequested, this, &TChildForm::ClearFreeNumberMessages);
    SetUpNumberPicker();
    connect(messagePanel_, &TMessagePanel::ClearAllRequested, this, &TChildForm::ClearAllMessages);
    connect(messagePanel_, &TMessagePanel::CloseRequested, this, [this] { SetMessagesVisible(false); });

    uzelGrid_->setMinimumWidth(120);
    hSplitter_->setSizes({260, 640});
    ApplyColumnLayout();
}

// ---------------------------------------------------------------------------------------
// Column layout

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

namespace {

// Columns whose cells are numbers (the rest are names and comments).
bool ShowsNumbers(bool uzelTable, int param)
{
    return uzelTable || (param != bpRemark && param != bpPLF && param != bpLayer);
}

}  // namespace

void TChildForm::ApplyColumnLayout()
{
    struct Item {
        TGridView* grid;
        TColumnSet* cols;
    };
    for (const Item& it : {Item{uzelGrid_, &uzelCols_}, Item{branchGrid_, &branchCols_}}) {
        it.grid->setFont(look_.Font());
        it.grid->verticalHeader()->setDefaultSectionSize(look_.RowHeight());
        auto* header = static_cast<TGridHeader*>(it.grid->horizontalHeader());
        for (int c = 0; c < it.cols->Count(); ++c) {
            it.grid->setColumnWidth(c, it.cols->At(c).Width);
            it.grid->setColumnHidden(c, !it.cols->At(c).Visible);
        }
        // A larger font never clips a heading or cuts a number: such columns grow to what
        // they show (texts keep their width and are elided).
        header->SetHeight(header->NeededHeight(look_.HeadingHeight()));
        for (int c = 0; c < it.cols->Count(); ++c) {
            if (it.grid->isColumnHidden(c))
                continue;
            int need = header->NeededWidth(c);
            if (ShowsNumbers(it.grid == uzelGrid_, it.cols->At(c).Def.Param))
                need = std::max(need, static_cast<const QAbstractItemView*>(it.grid)->sizeHintForColumn(c));
            if (it.grid->columnWidth(c) < need)
                it.grid->setColumnWidth(c, need);
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
    ChangeMapScale(config_.Scale2D);
    StoreColumnWidths();
    uzelModel_->Reload();
    branchModel_->Reload();
    ApplyColumnLayout();
}
