#pragma once

#include "ui/document/GridModel.h"

class TBranch;

// The branch table: all branches in the document's display order, or the branches joined
// to the current node. Colour mode 1 paints rows by seam, 2 by plan position.
class TBranchTableModel : public TGridModel {
    Q_OBJECT
public:
    TBranchTableModel(TDocumentRows* rows, TColumnSet* columns, const TTableLook* look, QObject* parent = nullptr);

    TMineObject* ObjectAt(int row) const override;
    TBranch* BranchAt(int row) const;

    int ColorMode() const { return colorMode_; }
    void SetColorMode(int mode) { colorMode_ = mode; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

protected:
    bool CellEditable(int row, int param) const override;
    QString EditText(int row, int param) const override;
    void Apply(int row, int param, const QString& text) override;

private:
    QVariant CellColor(const TBranch& branch, int param) const;

    int colorMode_ = 0;
};
