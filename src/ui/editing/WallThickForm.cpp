#include "ui/editing/WallThickForm.h"

#include "core/history/EditTransaction.h"
#include "ui/app/HelpContexts.h"
#include "ui/common/MessageBoxes.h"
#include "ui/editing/ServiceSteps.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 62;
enum Column { colCount = 0, colDiameter, colWall, colNewDiameter, colNewWall, kColumnCount };

// The new diameter takes digits and the decimal separator, the new wall digits only; what
// is typed is checked as a whole number when the cell is left.
class TNumberDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        auto* edit = new QLineEdit(parent);
        const QString separator = QRegularExpression::escape(QLocale().decimalPoint());
        const QString pattern = index.column() == colNewDiameter ? QStringLiteral("[0-9%1.]*").arg(separator)
                                                                 : QStringLiteral("[0-9]*");
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
        return edit;
    }
};

QString Heading(const QString& text)
{
    QString shown = text;
    return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace

TAutoSetWallThickForm::TAutoSetWallThickForm(TMine& mine, QWidget* parent) : QDialog(parent), mine_(mine)
{
    setWindowTitle(QStringLiteral("Диаметр труб и толщина стенок"));
    HelpContexts::Set(this, kHelpContext);
    grid_ = new QTableWidget(0, kColumnCount, this);
    grid_->setHorizontalHeaderLabels({Heading(QStringLiteral("Кол-во")), Heading(QStringLiteral("Диаметр,\r\nмм")),
                                      Heading(QStringLiteral("Толщина\r\nстенок труб,мм")),
                                      Heading(QStringLiteral("Новый\r\nдиаметр, мм")),
                                      Heading(QStringLiteral("Новая\r\nтолщина, мм"))});
    grid_->verticalHeader()->hide();
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setItemDelegate(new TNumberDelegate(grid_));
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(grid_, &QTableWidget::itemChanged, this, &TAutoSetWallThickForm::CellChanged);

    set_ = new QPushButton(QStringLiteral("&Установить"), this);
    auto* close = new QPushButton(QStringLiteral("&Закрыть"), this);
    connect(set_, &QPushButton::clicked, this, &TAutoSetWallThickForm::ApplyGroups);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(set_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(buttons);
    resize(520, 300);
    Rebuild();
}

void TAutoSetWallThickForm::Rebuild()
{
    filling_ = true;
    groups_ = WallGroups::Build(mine_);
    // One empty row when there is nothing to group.
    grid_->setRowCount(std::max<int>(1, static_cast<int>(groups_.size())));
    const QColor shade = palette().color(QPalette::Button);
    for (int row = 0; row < grid_->rowCount(); ++row) {
        const TWallGroup* g = row < static_cast<int>(groups_.size()) ? &groups_[static_cast<size_t>(row)] : nullptr;
        const int values[kColumnCount] = {g ? static_cast<int>(g->Branches.size()) : 0, g ? g->Diameter : 0,
                                          g ? g->Wall : 0, g ? g->NewDiameter : 0, g ? g->NewWall : 0};
        for (int col = 0; col < kColumnCount; ++col) {
            auto* item = new QTableWidgetItem(g ? QString::number(values[col]) : QString());
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (col < colNewDiameter || !g) {
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
                if (col < colNewDiameter)
                    item->setBackground(shade);
            }
            grid_->setItem(row, col, item);
        }
    }
    filling_ = false;
}

bool TAutoSetWallThickForm::TakeCell(int row, int column, const QString& text)
{
    if (row < 0 || row >= static_cast<int>(groups_.size()) || (column != colNewDiameter && column != colNewWall))
        return false;
    const std::optional<int> value = WallGroups::ParseWholeNumber(text);
    if (!value) {
        MessageBoxes::Error(this, WallGroups::kBadNumber);
        return false;
    }
    TWallGroup& g = groups_[static_cast<size_t>(row)];
    (column == colNewDiameter ? g.NewDiameter : g.NewWall) = *value;
    return true;
}

void TAutoSetWallThickForm::CellChanged(QTableWidgetItem* item)
{
    if (filling_)
        return;
    if (TakeCell(item->row(), item->column(), item->text()))
        return;
    // Back into the cell to put it right.
    grid_->setCurrentItem(item);
    grid_->editItem(item);
}

bool TAutoSetWallThickForm::ApplyGroups()
{
    try {
        TEditTransaction step(history_, ServiceSteps::kWalls);
        WallGroups::Apply(groups_);
        step.Commit();
    } catch (const EWallGroupError& e) {
        grid_->selectRow(e.Row());
        MessageBoxes::Error(this, e.Message());
        return false;
    }
    Rebuild();
    return true;
}
