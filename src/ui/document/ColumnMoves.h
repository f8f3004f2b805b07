#pragma once

#include <QAbstractTableModel>
#include <functional>

class QHeaderView;
class TColumnSet;

// A table model whose columns are a document's column descriptors, in their order: the node
// and branch grids and the results' sections table.
class TDescriptorColumnsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TDescriptorColumnsModel(TColumnSet* columns, QObject* parent);

    TColumnSet& Columns() const { return *columns_; }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    // A column moved within the descriptors: the model says so to its views.
    void MoveColumn(int from, int to);

protected:
    TColumnSet* columns_;
};

// Column order lives in the document's column descriptors, not in the header: when the
// user drags a heading, the header's own move is undone and the descriptor moves instead
// (through moveColumn, which moves it in the model and marks the document).
void KeepColumnOrderInDescriptors(QHeaderView* header, std::function<void(int from, int to)> moveColumn);
