#include "ui/app/CellStyleSample.h"

#include "ui/app/WinColor.h"

#include <QPainter>

namespace {

struct SampleRow {
    const char* number;
    const char* text;
    int style;  // 0 data, 1 current (second cell), 2 selected row, 3 surface node
};

const SampleRow kRows[] = {
    {"1", "Данные", 0},
    {"2", "Текущая ячейка", 1},
    {"3", "Выделенная строка", 2},
    {"4", "Поверхностный узел", 3},
    {"5", "Данные", 0},
};

const TCellStyle& styleOf(const TConfigData& look, int style)
{
    switch (style) {
    case 1: return look.CurCell;
    case 2: return look.SelCell;
    case 3: return look.SurfacedCell;
    default: return look.DataCell;
    }
}

QFont fontOf(const TConfigData& look, quint8 style)
{
    QFont font(look.FontName);
    font.setPointSize(std::max(1, look.FontSize));
    font.setBold(style & TCellStyle::fsBold);
    font.setItalic(style & TCellStyle::fsItalic);
    font.setUnderline(style & TCellStyle::fsUnderline);
    font.setStrikeOut(style & TCellStyle::fsStrikeOut);
    return font;
}

}  // namespace

TCellStyleSample::TCellStyleSample(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CellStyleSample"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TCellStyleSample::SetLook(const TConfigData& look)
{
    look_ = look;
    update();
}

QSize TCellStyleSample::sizeHint() const { return {260, 130}; }

void TCellStyleSample::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect area = rect().adjusted(0, 0, -1, -1);
    p.fillRect(area, palette().color(QPalette::Base));

    const int rows = int(std::size(kRows)) + 1;
    const int rowHeight = std::max(QFontMetrics(fontOf(look_, 0)).height() + 6, 18);
    const int firstWidth = std::max(48, area.width() / 4);
    const QColor gridColor = palette().color(QPalette::Mid);

    // Heading row in the grid's fixed colour.
    const QRect head(area.left(), area.top(), area.width(), rowHeight);
    p.fillRect(head, palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::ButtonText));
    p.setFont(fontOf(look_, 0));
    p.drawText(QRect(head.left(), head.top(), firstWidth, rowHeight), Qt::AlignCenter, QStringLiteral("Узел"));
    p.drawText(QRect(head.left() + firstWidth, head.top(), head.width() - firstWidth, rowHeight), Qt::AlignCenter,
               QStringLiteral("Комментарий"));

    for (int r = 1; r < rows && r * rowHeight < area.height(); ++r) {
        const SampleRow& row = kRows[r - 1];
        const int top = area.top() + r * rowHeight;
        for (int c = 0; c < 2; ++c) {
            // The current cell is the second cell of its row; the rest of that row is data.
            const int style = row.style == 1 && c == 0 ? 0 : row.style;
            const TCellStyle& s = styleOf(look_, style);
            const QRect cell = c == 0 ? QRect(area.left(), top, firstWidth, rowHeight)
                                      : QRect(area.left() + firstWidth, top, area.width() - firstWidth, rowHeight);
            p.fillRect(cell, ToQColor(s.BackColor));
            p.setPen(ToQColor(s.TextColor));
            p.setFont(fontOf(look_, s.Style));
            p.drawText(cell.adjusted(3, 0, -3, 0), Qt::AlignVCenter | (c == 0 ? Qt::AlignRight : Qt::AlignLeft),
                       QString::fromUtf8(c == 0 ? row.number : row.text));
        }
    }

    p.setPen(gridColor);
    for (int r = 1; r < rows; ++r)
        p.drawLine(area.left(), area.top() + r * rowHeight, area.right(), area.top() + r * rowHeight);
    p.drawLine(area.left() + firstWidth, area.top(), area.left() + firstWidth, area.bottom());
    p.drawRect(area);
}
