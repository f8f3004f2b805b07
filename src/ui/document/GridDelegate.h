#pragma once

#include "core/tables/TableColumns.h"

#include <QStyledItemDelegate>

class TTableLook;

// Paints the node and branch cells with the four cell styles of the settings, seam and
// plan-position colours, darkened read-only cells and the fire-pipe check box, and edits
// them through a line editor that filters characters per column.
class TGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TGridDelegate(TTableKind kind, const TTableLook* look, QObject* parent = nullptr);

    // Where the check box of a cell is drawn (and clicked).
    static QRect CheckBoxRect(const QRect& cell);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    TTableKind kind_;
    const TTableLook* look_;
};
