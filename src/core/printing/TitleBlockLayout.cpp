#include "core/printing/TitleBlockLayout.h"

#include <array>
#include <numeric>

QRectF TTitleTable::PrintedRect(int column, int row) const
{
    const double top = PrintedTop + std::accumulate(PrintedRows.begin(), PrintedRows.begin() + row, 0.0);
    return QRectF(Edges[size_t(column)], top, Edges[size_t(column) + 1] - Edges[size_t(column)], PrintedRows[size_t(row)]);
}

namespace TitleBlockLayout {

const TTitleTable& Table(int index)
{
    // On paper the block is 5.5 cm high: table 1 has 11 rows of 0.5 cm; tables 2 and 3 split
    // the height as the dialog does (table 3 starts 95 of its 209 px down), and table 4 fills
    // the lower right cell of table 3 in the dialog's 18 : 37 proportion.
    static const std::array<TTitleTable, kTableCount> tables{{
        {0, 4, 11, {0, 1.7, 4.0, 5.5, 6.55}, std::vector<double>(11, 0.5), std::vector<int>(11, 18), 0, 2,
         QStringList{QStringLiteral("Должность"), QStringLiteral("Фамилия"), QStringLiteral("Подпись"),
                     QStringLiteral("Дата")}},
        {44, 1, 2, {6.55, 18.5}, {1.5, 1.0}, {56, 37}, 0, -1, {}},
        {46, 2, 2, {6.55, 13.5, 18.5}, {1.5, 1.5}, {56, 56}, 2.5, -1, {}},
        {50, 3, 2, {13.5, 15.4, 16.7, 18.5}, {0.5, 1.0}, {18, 37}, 4.0, 0,
         QStringList{QStringLiteral("Стадия"), QStringLiteral("Лист"), QStringLiteral("Листов")}},
    }};
    return tables[size_t(index)];
}

}  // namespace TitleBlockLayout
