#include "ui/document/ResultsPage.h"

#include "core/exchange/ResultsText.h"

#include "core/hydraulics/HydroResults.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/DeviceKinds.h"
#include "core/model/PipePart.h"
#include "core/tables/TableColumns.h"
#include "ui/document/ColumnMoves.h"
#include "ui/document/GridHeader.h"
#include "ui/document/ResultsModels.h"
#include "ui/document/TableLook.h"

#include <QAction>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QString kNetworkTitle = QStringLiteral(" Водопроводная сеть");
const QString kWashersTitle = QStringLiteral(" Дроссельные шайбы");
const QString kLowersTitle = QStringLiteral(" Недостаток давления");

QTableView* MakeTable(const QString& name, QWidget* parent)
{
    auto* t = new QTableView(parent);
    t->setObjectName(name);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->setContextMenuPolicy(Qt::ActionsContextMenu);
    t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->verticalHeader()->setFixedWidth(TTableLook::kFixedColumnWidth);
    return t;
}

QWidget* Titled(const QString& title, QTableView* table, QWidget* parent, QLabel** heading = nullptr)
{
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    auto* label = new QLabel(title, box);
    if (heading)
        *heading = label;
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Raised);
    layout->addWidget(label);
    layout->addWidget(table, 1);
    return box;
}

}  // namespace

TResultsPage::TResultsPage(TColumnSet* columns, const TTableLook* look, QWidget* parent)
    : QWidget(parent), columns_(columns), look_(look)
{
    hydroModel_ = new TResultSectionsModel(columns, look, this);
    washersModel_ = new TFixedHeadingsModel(
        {QStringLiteral("Узел\r\n№"), QStringLiteral("Давл.до\r\nшайбы\r\n[м вод.ст]"),
         QStringLiteral("Избыт.\r\nдавление\r\n[м вод.ст]"), QStringLiteral("№ и диам.\r\nшайбы\r\n[мм]"),
         QStringLiteral("Снижение\r\nдавления\r\n[м вод.ст]"), QStringLiteral("Давл.после\r\nшайбы\r\n[м вод.ст]"),
         QStringLiteral("Факт.\r\nшайба\r\n[мм]")},
        {34, 57, 57, 63, 63, 66, 72}, this);
    lowersModel_ = new TFixedHeadingsModel(
        {QStringLiteral("Кран\r\n№"), QStringLiteral("Давление\r\n[м]"), QStringLiteral("Недостаток\r\n[м]")},
        {36, 55, 66}, this);

    hydro_ = MakeTable(QStringLiteral("HydroBranchGrid"), this);
    auto* header = new TGridHeader(hydro_);
    hydro_->setHorizontalHeader(header);
    hydro_->setModel(hydroModel_);
    hydro_->setItemDelegate(new TResultSectionsDelegate(hydroModel_, look, hydro_));
    KeepColumnOrderInDescriptors(header, [this](int from, int to) {
        StoreWidths();
        hydroModel_->MoveColumn(from, to);
        ApplyLook();
        emit ColumnsMoved();
    });
    washers_ = MakeTable(QStringLiteral("WashersGrid"), this);
    washers_->setModel(washersModel_);
    lowers_ = MakeTable(QStringLiteral("LowersGrid"), this);
    lowers_->setModel(lowersModel_);

    focused_ = hydro_;
    showOnSchema_ = new QAction(QStringLiteral("Перейти на схему"), this);
    showOnSchema_->setObjectName(QStringLiteral("actShowOnSchema"));
    connect(showOnSchema_, &QAction::triggered, this, [this] {
        if (TMineObject* object = CurrentObject())
            emit ShowOnSchemaRequested(object);
    });
    for (QTableView* t : {hydro_, washers_, lowers_}) {
        t->addAction(showOnSchema_);
        t->installEventFilter(this);
        // A click chooses the table even where the window has no keyboard focus to give.
        connect(t, &QTableView::pressed, this, [this, t] {
            focused_ = t;
            UpdateActions();
        });
    }
    // The rows of the current row's branch are drawn apart, so the whole table repaints.
    connect(hydro_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                hydro_->viewport()->update();
                const THydroBranch* now = hydroModel_->RowAt(current.row());
                const THydroBranch* before = hydroModel_->RowAt(previous.row());
                if (now && (!before || before->Branch != now->Branch))
                    emit SectionBranchChosen(now->Branch);
            });
    connect(hydro_, &QTableView::clicked, this, [this](const QModelIndex& index) {
        if (const THydroBranch* row = hydroModel_->RowAt(index.row()))
            emit SectionBranchChosen(row->Branch);
    });

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(Titled(kNetworkTitle, hydro_, split));
    rightSplitter_ = new QSplitter(Qt::Vertical, split);
    washersBox_ = Titled(kWashersTitle, washers_, rightSplitter_, &washersTitle_);
    rightSplitter_->addWidget(washersBox_);
    rightSplitter_->addWidget(Titled(kLowersTitle, lowers_, rightSplitter_, &lowersTitle_));
    split->addWidget(rightSplitter_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);
    ApplyLook();
    UpdateActions();
}

void TResultsPage::SetResults(const THydroResults* results)
{
    const int row = hydro_->currentIndex().row();
    const int column = std::max(0, hydro_->currentIndex().column());
    results_ = results;
    hydroModel_->SetResults(results);
    std::vector<QStringList> washerRows;
    std::vector<QStringList> lowerRows;
    if (results) {
        for (const TWasherRow& w : results->Washers)
            washerRows.push_back(ResultsText::WasherCells(w));
        for (const TLowerRow& l : results->Lowers)
            lowerRows.push_back(ResultsText::LowerCells(l));
    }
    washersModel_->SetRows(std::move(washerRows), results != nullptr);
    lowersModel_->SetRows(std::move(lowerRows), results != nullptr);
    washersTitle_->setText(results ? kWashersTitle + QStringLiteral(" (%1 шт.)").arg(results->Washers.size())
                                   : kWashersTitle);
    lowersTitle_->setText(results ? kLowersTitle + QStringLiteral(" (%1 тчк.)").arg(results->Lowers.size())
                                  : kLowersTitle);
    for (QTableView* t : {washers_, lowers_}) {
        const bool rows = static_cast<TFixedHeadingsModel*>(t->model())->HasRows();
        t->setSelectionMode(rows ? QAbstractItemView::SingleSelection : QAbstractItemView::NoSelection);
        t->setSelectionBehavior(QAbstractItemView::SelectRows);
        if (rows)
            t->selectRow(0);
    }
    // The cursor stays where it was (a reorder keeps the row number, new results start on top).
    if (hydroModel_->HasRows()) {
        const int count = hydroModel_->rowCount();
        hydro_->setCurrentIndex(hydroModel_->index(std::clamp(row, 0, count - 1), column));
    }
    UpdateActions();
}

bool TResultsPage::FocusedTableHasRows() const
{
    if (focused_ == hydro_)
        return hydroModel_->HasRows();
    return static_cast<TFixedHeadingsModel*>(focused_->model())->HasRows();
}

TMineObject* TResultsPage::CurrentObject() const
{
    if (!results_ || !FocusedTableHasRows())
        return nullptr;
    const int row = std::max(0, focused_->currentIndex().row());
    if (focused_ == hydro_) {
        const THydroBranch* r = hydroModel_->RowAt(row);
        if (!r)
            return nullptr;
        // The device the section starts at, else its branch.
        if (TDevice* device = r->Section->OwnerDevice())
            return device;
        return const_cast<TBranch*>(r->Branch);
    }
    const TCrane* hydrant = nullptr;
    if (focused_ == washers_ && row < static_cast<int>(results_->Washers.size()))
        hydrant = results_->Washers[static_cast<size_t>(row)].Hydrant;
    else if (focused_ == lowers_ && row < static_cast<int>(results_->Lowers.size()))
        hydrant = results_->Lowers[static_cast<size_t>(row)].Hydrant;
    return const_cast<TCrane*>(hydrant);
}

const TBranch* TResultsPage::CurrentSectionBranch() const
{
    const THydroBranch* r = hydroModel_->RowAt(hydro_->currentIndex().row());
    return r ? r->Branch : nullptr;
}

const TPipePart* TResultsPage::CurrentSection() const
{
    const THydroBranch* r = hydroModel_->RowAt(hydro_->currentIndex().row());
    return r ? r->Section : nullptr;
}

void TResultsPage::SetCurrentSection(const TPipePart* section)
{
    const int row = results_ && section ? results_->RowOf(section) : -1;
    if (row >= 0)
        hydro_->setCurrentIndex(hydroModel_->index(row, std::max(0, hydro_->currentIndex().column())));
}

bool TResultsPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        for (QTableView* t : {hydro_, washers_, lowers_})
            if (watched == t && focused_ != t) {
                focused_ = t;
                UpdateActions();
            }
    return QWidget::eventFilter(watched, event);
}

void TResultsPage::UpdateActions()
{
    showOnSchema_->setEnabled(FocusedTableHasRows());
}

bool TResultsPage::WashersVisible() const
{
    return !washersBox_->isHidden();
}

void TResultsPage::SetWashersVisible(bool visible)
{
    washersBox_->setVisible(visible);
}

void TResultsPage::ApplyLook()
{
    hydroModel_->Reload();
    const int row = look_->RowHeight();
    auto* header = static_cast<TGridHeader*>(hydro_->horizontalHeader());
    hydro_->verticalHeader()->setDefaultSectionSize(row);
    hydro_->setFont(look_->Font());
    for (int c = 0; c < columns_->Count(); ++c) {
        hydro_->setColumnWidth(c, columns_->At(c).Width);
        hydro_->setColumnHidden(c, !columns_->At(c).Visible);
    }
    // Headings show whole in any font.
    header->SetHeight(header->NeededHeight(look_->HeadingHeight()));
    for (int c = 0; c < columns_->Count(); ++c)
        if (!hydro_->isColumnHidden(c) && hydro_->columnWidth(c) < header->NeededWidth(c))
            hydro_->setColumnWidth(c, header->NeededWidth(c));
    // Three heading lines on the plate table.
    const int line = row - 6;
    washers_->horizontalHeader()->setFixedHeight(3 * line + 6);
    lowers_->horizontalHeader()->setFixedHeight(2 * line + 6);
    for (QTableView* t : {washers_, lowers_}) {
        t->verticalHeader()->setDefaultSectionSize(row);
        auto* m = static_cast<TFixedHeadingsModel*>(t->model());
        // The given widths, or what a heading line needs in this font.
        const QFontMetrics metrics(t->horizontalHeader()->font());
        for (int c = 0; c < m->columnCount(); ++c) {
            int width = m->Widths()[static_cast<size_t>(c)];
            for (const QString& line : m->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().split(u'\n'))
                width = std::max(width, metrics.horizontalAdvance(line) + 10);
            t->setColumnWidth(c, width);
        }
    }
}

void TResultsPage::StoreWidths()
{
    for (int c = 0; c < columns_->Count(); ++c)
        if (!hydro_->isColumnHidden(c))
            columns_->At(c).Width = hydro_->columnWidth(c);
}
