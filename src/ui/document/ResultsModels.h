#pragma once

#include "ui/document/ColumnMoves.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QStyledItemDelegate>
#include <vector>

class TDevice;
class THydroResults;
class TTableLook;
struct THydroBranch;
struct TLowerRow;
struct TWasherRow;

namespace ResultsRows {
// The device drawn at an end of a section (1 start, 2 end), or null where a node is.
const TDevice* EndDevice(const THydroBranch& row, int endCode);
}  // namespace ResultsRows

// The pipeline sections table: the document's results in the order and with the decimals of
// its column descriptors; without results its headings and one empty row.
class TResultSectionsModel : public TDescriptorColumnsModel {
    Q_OBJECT
public:
    TResultSectionsModel(TColumnSet* columns, const TTableLook* look, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void SetResults(const THydroResults* results);
    // Section rows to show (not the empty row of a table without results).
    bool HasRows() const;
    const THydroBranch* RowAt(int row) const;
    int Param(int column) const;
    void Reload();

private:
    const TTableLook* look_;
    const THydroResults* results_ = nullptr;
};

// Paints the sections table with the document's cell styles: the current cell, the rows of
// the current row's branch, the others; the device symbols at the ends of the sections.
class TResultSectionsDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TResultSectionsDelegate(const TResultSectionsModel* model, const TTableLook* look, QObject* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const TResultSectionsModel* model_;
    const TTableLook* look_;
};

// A table with fixed headings of several lines: its rows of texts, or one empty row in the
// fixed colour while there are none.
class TFixedHeadingsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TFixedHeadingsModel(QStringList headings, std::vector<int> widths, QObject* parent = nullptr);

    const std::vector<int>& Widths() const { return widths_; }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void SetRows(std::vector<QStringList> rows, bool present);
    bool HasRows() const { return !rows_.empty(); }

private:
    QStringList headings_;
    std::vector<int> widths_;
    std::vector<QStringList> rows_;
    bool present_ = false;
};
