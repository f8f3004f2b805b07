#pragma once

#include <QHeaderView>

class TBranchTableModel;

// The fixed first column of the branch table: one vertical line per laid water pipe of the
// row's branch, in the pipe's colour (dotted when projected), and one more for branches
// that carry degasification pipes.
class TBranchRowHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit TBranchRowHeader(TBranchTableModel* model, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    TBranchTableModel* model_;
};

// The fixed first column of the node table: an empty cell per row.
class TPlainRowHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit TPlainRowHeader(QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};
