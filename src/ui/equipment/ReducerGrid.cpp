#include "ui/equipment/ReducerGrid.h"

#include "core/tables/TableEdits.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

namespace {

constexpr int kVerticalRole = Qt::UserRole + 1;  // the cell carries a title written upwards
constexpr int kFixedColumnWidth = 22;
constexpr int kPressureColumnWidth = 46;
const QString kOutletTitle = QStringLiteral("Рабочее давление на выходе [кгс/см2]");
const QString kFlowTitle = QStringLiteral("Расход [м3/ч]");
const QStringList kInletTitle = {QStringLiteral(" Вход.давл."), QStringLiteral("  [кгс/см2]")};
const QStringList kLockingTitle = {QStringLiteral("Запор.давл."), QStringLiteral("  [кгс/см2]")};

QString Shown(double v) { return QString::number(v, 'f', 1); }

}  // namespace

// Paints the rotated titles and keeps the cell editor: Enter with a text that is not a number
// leaves it open, Esc reverts it, leaving the cell stores the text.
class TReducerCellDelegate : public QStyledItemDelegate {
public:
    explicit TReducerCellDelegate(TReducerGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QStringList lines = index.data(kVerticalRole).toStringList();
        if (lines.isEmpty()) {
            QStyledItemDelegate::paint(p, option, index);
            return;
        }
        p->save();
        p->fillRect(option.rect, option.palette.button());
        p->setPen(option.palette.buttonText().color());
        p->translate(option.rect.bottomLeft());
        p->rotate(-90);
        const int lineHeight = option.fontMetrics.height();
        const int top = (option.rect.width() - lineHeight * static_cast<int>(lines.size())) / 2;
        for (qsizetype i = 0; i < lines.size(); ++i)
            p->drawText(QRect(4, top + static_cast<int>(i) * lineHeight, option.rect.height() - 8, lineHeight),
                        Qt::AlignLeft | Qt::AlignVCenter, lines[i]);
        p->restore();
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        grid_->editor_ = editor;
        emit grid_->EditingStarted();
        return editor;
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            grid_->Commit(index.row(), index.column(), line->text());
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* line = qobject_cast<QLineEdit*>(object);
        if (line && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !Parses(line->text()))
                return true;  // the editor stays open
            if (key == Qt::Key_Escape) {
                grid_->editor_ = nullptr;
                const bool handled = QStyledItemDelegate::eventFilter(object, event);
                emit grid_->EditingReverted();
                return handled;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    static bool Parses(const QString& text)
    {
        try {
            TableEdits::ParseFloat(text);
            return true;
        } catch (const Exception&) {
            return false;
        }
    }
    TReducerGrid* grid_;
};

TReducerGrid::TReducerGrid(QWidget* parent) : QTableWidget(parent)
{
    setObjectName(QStringLiteral("ReducerGrid"));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setItemDelegate(new TReducerCellDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    SetEditable(false);
}

QPoint TReducerGrid::CellOf(TReducerCharacter::Part part, int row, int col)
{
    using Part = TReducerCharacter::Part;
    switch (part) {
    case Part::Flow: return {kFirstValueColumn + col, kFlowRow};
    case Part::Inlet: return {1, kFirstRow + row};
    case Part::Locking: return {2, kFirstRow + row};
    case Part::Outlet: break;
    }
    return {kFirstValueColumn + col, kFirstRow + row};
}

void TReducerGrid::StyleFixed(int row, int col, const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    // The active colours by name: palette() answers the disabled ones while the grid is off
    // (an empty database), and the items would keep them once it is on again.
    item->setBackground(palette().brush(QPalette::Active, QPalette::Button));
    item->setForeground(palette().brush(QPalette::Active, QPalette::ButtonText));
    item->setTextAlignment(Qt::AlignCenter);
    setItem(row, col, item);
}

void TReducerGrid::Show(const TReducerCharacter& c)
{
    editor_ = nullptr;
    clearSpans();
    clear();
    nP_ = c.NP();
    nQ_ = c.NQ();
    setRowCount(kFirstRow + nP_);
    setColumnCount(kFirstValueColumn + nQ_);

    StyleFixed(0, 0, QString());
    setSpan(0, 0, kFirstRow, 1);
    for (int col : {1, 2}) {
        StyleFixed(0, col, QString());
        item(0, col)->setData(kVerticalRole, col == 1 ? kInletTitle : kLockingTitle);
        setSpan(0, col, kFirstRow, 1);
    }
    StyleFixed(0, kFirstValueColumn, kOutletTitle);
    StyleFixed(1, kFirstValueColumn, kFlowTitle);
    if (nQ_ > 1) {
        setSpan(0, kFirstValueColumn, 1, nQ_);
        setSpan(1, kFirstValueColumn, 1, nQ_);
    }
    for (int r = 0; r < nP_; ++r)
        StyleFixed(kFirstRow + r, 0, QString::number(r + 1));

    const auto value = [&](int row, int col, double v) {
        auto* item = new QTableWidgetItem(Shown(v));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setItem(row, col, item);
    };
    for (int k = 0; k < nQ_; ++k)
        value(kFlowRow, kFirstValueColumn + k, c.Flow(k));
    for (int r = 0; r < nP_; ++r) {
        value(kFirstRow + r, 1, c.Inlet(r));
        value(kFirstRow + r, 2, c.Locking(r));
        for (int k = 0; k < nQ_; ++k)
            value(kFirstRow + r, kFirstValueColumn + k, c.Outlet(r, k));
    }
    // Tall enough title rows for the upright titles.
    const int titles = fontMetrics().horizontalAdvance(kLockingTitle.first()) + 14;
    const int rowHeight = verticalHeader()->defaultSectionSize();
    setRowHeight(0, std::max(rowHeight, titles - 2 * rowHeight));
    setRowHeight(1, rowHeight);
    setRowHeight(2, rowHeight);
    setColumnWidth(0, kFixedColumnWidth);
    setColumnWidth(1, kPressureColumnWidth);
    setColumnWidth(2, kPressureColumnWidth);
    SetEditable(editable_);
    SetFlowsGreyed(flowsGreyed_);
    framed_ = shaded_ = -1;
    FitColumns();
    if (nP_ > 0 && nQ_ > 0)
        setCurrentCell(kFirstRow, kFirstValueColumn);
}

void TReducerGrid::SetEditable(bool editable)
{
    editable_ = editable;
    setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::AnyKeyPressed |
                                   QAbstractItemView::EditKeyPressed
                             : QAbstractItemView::NoEditTriggers);
}

void TReducerGrid::SetFlowsGreyed(bool greyed)
{
    flowsGreyed_ = greyed;
    for (int k = 0; k < nQ_; ++k)
        if (QTableWidgetItem* it = item(kFlowRow, kFirstValueColumn + k))
            it->setData(Qt::ForegroundRole,
                        greyed ? QVariant(palette().brush(QPalette::Disabled, QPalette::Text)) : QVariant());
}

void TReducerGrid::SelectPart(TReducerCharacter::Part part, int row, int col)
{
    const QPoint cell = CellOf(part, row, col);
    setCurrentCell(cell.y(), cell.x());
    setFocus();
}

void TReducerGrid::MarkRows(int framed, int shadedFrom)
{
    const QBrush shade(QColor(0xD8, 0xE4, 0xF8));
    for (int r = 0; r < nP_; ++r)
        for (int col = 1; col < columnCount(); ++col)
            if (QTableWidgetItem* it = item(kFirstRow + r, col))
                it->setBackground(shadedFrom >= 0 && (r == shadedFrom || r == shadedFrom + 1) ? shade : QBrush());
    framed_ = framed;
    shaded_ = shadedFrom;
    viewport()->update();
}

void TReducerGrid::CommitOpenEditor()
{
    if (QWidget* editor = editor_.data()) {
        editor_ = nullptr;
        emit itemDelegate()->commitData(editor);
        emit itemDelegate()->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

bool TReducerGrid::Commit(int row, int col, const QString& text)
{
    editor_ = nullptr;
    using Part = TReducerCharacter::Part;
    double v = 0;
    try {
        v = TableEdits::ParseFloat(text);
    } catch (const Exception&) {
        return false;  // the cell keeps the value it had
    }
    if (row == kFlowRow && col >= kFirstValueColumn)
        emit CellCommitted(Part::Flow, 0, col - kFirstValueColumn, v);
    else if (row >= kFirstRow && col == 1)
        emit CellCommitted(Part::Inlet, row - kFirstRow, 0, v);
    else if (row >= kFirstRow && col == 2)
        emit CellCommitted(Part::Locking, row - kFirstRow, 0, v);
    else if (row >= kFirstRow && col >= kFirstValueColumn)
        emit CellCommitted(Part::Outlet, row - kFirstRow, col - kFirstValueColumn, v);
    else
        return false;
    if (QTableWidgetItem* it = item(row, col))
        it->setText(Shown(v));
    FitColumns();
    return true;
}

void TReducerGrid::paintEvent(QPaintEvent* event)
{
    QTableWidget::paintEvent(event);
    if (framed_ < 0 || framed_ >= nP_)
        return;
    QRect frame;
    for (int col = 1; col < columnCount(); ++col)
        frame |= visualRect(model()->index(kFirstRow + framed_, col));
    QPainter p(viewport());
    p.setPen(QPen(Qt::red, 2));
    p.drawRect(frame.adjusted(1, 1, -1, -1));
}

void TReducerGrid::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    FitColumns();
}

void TReducerGrid::FitColumns()
{
    // The value columns share what the fixed ones leave; below their least width each keeps
    // that width and the grid scrolls.
    if (nQ_ <= 0)
        return;
    QHeaderView* header = horizontalHeader();
    header->setMinimumSectionSize(kFixedColumnWidth);
    // At least 35 pixels, and wide enough for the longest value shown.
    int least = kMinValueWidth;
    for (int row = kFlowRow; row < rowCount(); ++row)
        for (int col = kFirstValueColumn; col < columnCount(); ++col)
            if (const QTableWidgetItem* it = item(row, col))
                least = std::max(least, fontMetrics().horizontalAdvance(it->text()) + 10);
    const int fixed = kFixedColumnWidth + 2 * kPressureColumnWidth;
    const bool share = viewport()->width() - fixed >= least * nQ_;
    for (int col = 0; col < columnCount(); ++col) {
        if (col < kFirstValueColumn || !share) {
            header->setSectionResizeMode(col, QHeaderView::Fixed);
            if (col >= kFirstValueColumn)
                setColumnWidth(col, least);
        } else {
            header->setSectionResizeMode(col, QHeaderView::Stretch);
        }
    }
}
