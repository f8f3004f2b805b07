#pragma once

#include <QStyledItemDelegate>

// A list line with its item's colour as a swatch at the right edge: the colour is the item's
// data under `Role`, the swatch `width` pixels wide.
class TSwatchDelegate : public QStyledItemDelegate {
public:
    static constexpr int Role = Qt::UserRole;

    TSwatchDelegate(int width, QObject* parent) : QStyledItemDelegate(parent), width_(width) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int width_;
};
