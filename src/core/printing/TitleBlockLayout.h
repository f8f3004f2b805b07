#pragma once

// Where the 56 title-block cells sit: four tables, their column edges in cm from the
// block's left edge, and the fixed header rows. Shared by the printed block and the dialog.

#include "core/printing/Passport.h"

#include <QRectF>
#include <QString>

#include <vector>

struct TTitleTable {
    int FirstCell = 0;
    int Columns = 1;
    int Rows = 1;
    // Column edges, Columns + 1 of them, cm from the block's left edge.
    std::vector<double> Edges;
    // Row heights on paper, cm, and in the dialog, px.
    std::vector<double> PrintedRows;
    std::vector<int> DialogRows;
    // The table's top on paper, cm from the block's top.
    double PrintedTop = 0;
    // The fixed header row (-1: none) and its texts, one a column.
    int HeaderRow = -1;
    QStringList Headers;

    int CellIndex(int column, int row) const { return FirstCell + column * Rows + row; }
    QRectF PrintedRect(int column, int row) const;
};

namespace TitleBlockLayout {

inline constexpr int kTableCount = 4;
const TTitleTable& Table(int index);
// The cell the fourth table covers on paper (the lower right cell of the third).
inline constexpr int kCoveredCell = 49;

}  // namespace TitleBlockLayout
