#pragma once

// One table of the title block in the passport dialog: its cells edited in place, a fixed
// bold header row that cannot be selected, grey when the title block is not printed, and a
// "..." button on the selected cell of tables 2–4 for text of several lines.

#include "core/printing/Passport.h"
#include "core/printing/TitleBlockLayout.h"

#include <QTableWidget>

class QToolButton;

class TTitleBlockGrid : public QTableWidget {
    Q_OBJECT
public:
    // cells: the working copy the grid edits; ppcm: the screen's pixels a centimetre.
    TTitleBlockGrid(int table, std::array<QString, kTitleBlockCells>& cells, double ppcm, QWidget* parent);

    int TableIndex() const { return table_; }
    // The grid's size: the column widths and row heights plus a pixel each.
    QSize GridSize() const { return gridSize_; }
    int ColumnWidth(int column) const { return columnWidth(column); }
    // Reloads the cells; enabled follows the "Шапка" box.
    void Refresh(bool enabled);
    QToolButton* EllipsisButton() const { return ellipsis_; }
    // The text dialog behind "...": returns false on Cancel.
    std::function<bool(QString&)> AskText;

private:
    void Stored(QTableWidgetItem* item);
    void PlaceEllipsis();
    bool Multiline(int row) const;

    int table_;
    const TTitleTable& layout_;
    std::array<QString, kTitleBlockCells>& cells_;
    QSize gridSize_;
    bool enabled_ = true;
    bool loading_ = false;
    QToolButton* ellipsis_ = nullptr;
};
