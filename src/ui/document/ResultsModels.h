#pragma once

#include "ui/document/ColumnMoves.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

class TTableLook;

// The pipeline sections table without a results list: the headings of its column
// descriptors and one empty row.
class TResultSectionsModel : public TDescriptorColumnsModel {
    Q_OBJECT
public:
    TResultSectionsModel(TColumnSet* columns, const TTableLook* look, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void Reload();

private:
    const TTableLook* look_;
};

// A table with fixed headings of several lines and, without results, one empty row.
class TFixedHeadingsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TFixedHeadingsModel(QStringList headings, std::vector<int> widths, QObject* parent = nullptr);

    const std::vector<int>& Widths() const { return widths_; }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList headings_;
    std::vector<int> widths_;
};
