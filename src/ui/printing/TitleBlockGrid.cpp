#include "ui/printing/TitleBlockGrid.h"

#include <QHeaderView>
#include <QToolButton>

#include <cmath>

TTitleBlockGrid::TTitleBlockGrid(int table, std::array<QString, kTitleBlockCells>& cells, double ppcm, QWidget* parent)
    : QTableWidget(TitleBlockLayout::Table(table).Rows, TitleBlockLayout::Table(table).Columns, parent),
      table_(table),
      layout_(TitleBlockLayout::Table(table)),
      cells_(cells)
{
    setObjectName(QStringLiteral("TitleTable%1").arg(table + 1));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setWordWrap(true);
    setTextElideMode(Qt::ElideNone);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    int width = 0;
    for (int c = 0; c < layout_.Columns; ++c) {
        const double cm = layout_.Edges[size_t(c) + 1] - layout_.Edges[size_t(c)];
        const int w = int(std::lround(cm * ppcm * 0.956)) - (c > 0 ? 1 : 0);
        setColumnWidth(c, w);
        width += w + 1;
    }
    int height = 0;
    for (int r = 0; r < layout_.Rows; ++r) {
        setRowHeight(r, layout_.DialogRows[size_t(r)]);
        height += layout_.DialogRows[size_t(r)] + 1;
    }
    gridSize_ = QSize(width, height);
    resize(gridSize_);

    ellipsis_ = new QToolButton(viewport());
    ellipsis_->setText(QStringLiteral("..."));
    ellipsis_->setFixedSize(18, 16);
    ellipsis_->hide();
    connect(ellipsis_, &QToolButton::clicked, this, [this] {
        QTableWidgetItem* item = currentItem();
        if (!item || !AskText)
            return;
        const int index = layout_.CellIndex(item->column(), item->row());
        QString text = cells_[size_t(index)];
        if (AskText(text)) {
            cells_[size_t(index)] = text;
            Refresh(enabled_);
        }
    });
    connect(this, &QTableWidget::itemChanged, this, &TTitleBlockGrid::Stored);
    connect(this, &QTableWidget::currentCellChanged, this, [this] { PlaceEllipsis(); });
    Refresh(true);
    setCurrentItem(nullptr);
}

bool TTitleBlockGrid::Multiline(int row) const
{
    return table_ == 1 || table_ == 2 || (table_ == 3 && row == 1);
}

void TTitleBlockGrid::Refresh(bool enabled)
{
    enabled_ = enabled;
    loading_ = true;
    const QColor ink = enabled ? QColor(Qt::black) : QColor(128, 128, 128);
    const QColor paper = enabled ? QColor(Qt::white) : QColor(216, 216, 216);
    for (int c = 0; c < layout_.Columns; ++c) {
        for (int r = 0; r < layout_.Rows; ++r) {
            QTableWidgetItem* it = item(r, c);
            if (!it) {
                it = new QTableWidgetItem;
                setItem(r, c, it);
            }
            const bool header = r == layout_.HeaderRow;
            QString text = header ? layout_.Headers.value(c) : cells_[size_t(layout_.CellIndex(c, r))];
            it->setText(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            QFont font = this->font();
            font.setPointSize(table_ == 1 && r == 0 ? 10 : 8);
            font.setBold(header);
            it->setFont(font);
            it->setForeground(ink);
            it->setBackground(paper);
            // Header cells cannot be selected; table 4's values stay on one line.
            it->setFlags(header ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
            const Qt::Alignment horizontal = table_ == 0 && !header ? Qt::AlignLeft : Qt::AlignHCenter;
            it->setTextAlignment(horizontal | Qt::AlignVCenter);
        }
    }
    loading_ = false;
}

void TTitleBlockGrid::Stored(QTableWidgetItem* item)
{
    if (loading_ || !item || item->row() == layout_.HeaderRow)
        return;
    QString text = item->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    cells_[size_t(layout_.CellIndex(item->column(), item->row()))] = text;
}

void TTitleBlockGrid::PlaceEllipsis()
{
    QTableWidgetItem* item = currentItem();
    if (!item || !Multiline(item->row()) || item->row() == layout_.HeaderRow) {
        ellipsis_->hide();
        return;
    }
    const QRect cell = visualItemRect(item);
    ellipsis_->move(cell.right() - ellipsis_->width() + 1, cell.top());
    ellipsis_->show();
    ellipsis_->raise();
}
