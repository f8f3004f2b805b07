#include "render/print/TitleBlockPainter.h"

#include "core/printing/SheetLayout.h"
#include "core/printing/TitleBlockLayout.h"

#include <QPainter>

namespace TitleBlockPainter {

namespace {

const QString kCellFont = QStringLiteral("Courier New");

QPen Line(const TPaperUnits& units, double share)
{
    QPen pen(Qt::black, std::max(1.0, units.Y * share));
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

}  // namespace

void Paint(QPainter& painter, const TShapka& shapka, QPointF topLeft, const TPaperUnits& units)
{
    painter.save();
    painter.translate(topLeft);
    const QRectF block = units.Rect(QRectF(0, 0, kTitleBlockWidthCm, kTitleBlockHeightCm));
    painter.fillRect(block, Qt::white);
    const QPen thin = Line(units, 0.01);
    const QPen thick = Line(units, 0.02);

    for (int t = 0; t < TitleBlockLayout::kTableCount; ++t) {
        const TTitleTable& table = TitleBlockLayout::Table(t);
        for (int c = 0; c < table.Columns; ++c) {
            for (int r = 0; r < table.Rows; ++r) {
                const int index = table.CellIndex(c, r);
                const QRectF cell = units.Rect(table.PrintedRect(c, r));
                if (index == TitleBlockLayout::kCoveredCell)
                    continue;
                painter.setPen(thin);
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(cell);
                const bool header = r == table.HeaderRow;
                QString text = header ? table.Headers.value(c) : shapka.Cells[size_t(index)];
                text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
                if (text.isEmpty())
                    continue;
                // The upper cell of table 2 holds the drawing's name: a size larger.
                const double points = t == 1 && r == 0 ? 10 : 8;
                painter.setFont(units.Font(kCellFont, points, header));
                painter.setPen(Qt::black);
                const QRectF inner = cell.adjusted(units.X * 0.05, 0, -units.X * 0.05, 0);
                const int wrap = t == 3 || header ? 0 : int(Qt::TextWordWrap);
                const int horizontal = t == 0 && !header ? int(Qt::AlignLeft) : int(Qt::AlignHCenter);
                painter.drawText(inner, wrap | horizontal | Qt::AlignVCenter, text);
            }
        }
        // The table's outline is thick.
        const QRectF outline = units.Rect(table.PrintedRect(0, 0).united(table.PrintedRect(table.Columns - 1, table.Rows - 1)));
        painter.setPen(thick);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(outline);
    }
    painter.setPen(thick);
    painter.drawRect(block);
    painter.restore();
}

}  // namespace TitleBlockPainter
