#include "ui/editing/SwatchDelegate.h"

#include <QPainter>

void TSwatchDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const QRect swatch(option.rect.right() - width_, option.rect.top() + 1, width_, option.rect.height() - 2);
    painter->fillRect(swatch, index.data(Role).value<QColor>());
    painter->setPen(option.palette.color(QPalette::WindowText));
    painter->drawRect(swatch.adjusted(0, 0, -1, -1));
}
