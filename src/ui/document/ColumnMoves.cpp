#include "ui/document/ColumnMoves.h"

#include "core/tables/TableColumns.h"

#include <QHeaderView>
#include <QSignalBlocker>

TDescriptorColumnsModel::TDescriptorColumnsModel(TColumnSet* columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(columns)
{
}

int TDescriptorColumnsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_->Count();
}

void TDescriptorColumnsModel::MoveColumn(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= columns_->Count() || to >= columns_->Count())
        return;
    // beginMoveColumns takes the destination before which the column lands.
    const int dest = to > from ? to + 1 : to;
    if (!beginMoveColumns(QModelIndex(), from, from, QModelIndex(), dest))
        return;
    columns_->Move(from, to);
    endMoveColumns();
}

void KeepColumnOrderInDescriptors(QHeaderView* header, std::function<void(int from, int to)> moveColumn)
{
    QObject::connect(header, &QHeaderView::sectionMoved, header,
                     [header, moveColumn](int, int oldVisual, int newVisual) {
                         {
                             const QSignalBlocker block(header);
                             header->moveSection(newVisual, oldVisual);
                         }
                         moveColumn(oldVisual, newVisual);
                     });
}
