#include "ui/document/ResultsPage.h"

#include "core/tables/TableColumns.h"
#include "ui/document/ColumnMoves.h"
#include "ui/document/GridHeader.h"
#include "ui/document/ResultsModels.h"
#include "ui/document/TableLook.h"

#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace {

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

QWidget* Titled(const QString& title, QTableView* table, QWidget* parent)
{
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    auto* label = new QLabel(title, box);
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

    // "Перейти на схему": results are never there, so there is no row to go to.
    auto* showOnSchema = new QAction(QStringLiteral("Перейти на схему"), this);
    showOnSchema->setObjectName(QStringLiteral("actShowOnSchema"));
    showOnSchema->setEnabled(false);
    for (QTableView* t : {hydro_, washers_, lowers_})
        t->addAction(showOnSchema);

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(Titled(QStringLiteral(" Водопроводная сеть"), hydro_, split));
    rightSplitter_ = new QSplitter(Qt::Vertical, split);
    washersBox_ = Titled(QStringLiteral(" Дроссельные шайбы"), washers_, rightSplitter_);
    rightSplitter_->addWidget(washersBox_);
    rightSplitter_->addWidget(Titled(QStringLiteral(" Недостаток давления"), lowers_, rightSplitter_));
    split->addWidget(rightSplitter_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(split);
    ApplyLook();
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
        for (int c = 0; c < m->columnCount(); ++c)
            t->setColumnWidth(c, m->Widths()[static_cast<size_t>(c)]);
    }
}

void TResultsPage::StoreWidths()
{
    for (int c = 0; c < columns_->Count(); ++c)
        if (!hydro_->isColumnHidden(c))
            columns_->At(c).Width = hydro_->columnWidth(c);
}
