#include "ui/document/BranchTableModel.h"

#include "core/tables/DocumentRows.h"
#include "core/tables/TableCells.h"
#include "core/tables/TableEdits.h"
#include "core/model/Branch.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"

TBranchTableModel::TBranchTableModel(TDocumentRows* rows, TColumnSet* columns, const TTableLook* look,
                                     QObject* parent)
    : TGridModel(TTableKind::Branches, rows, columns, look, parent)
{
}

TMineObject* TBranchTableModel::ObjectAt(int row) const
{
    return BranchAt(row);
}

TBranch* TBranchTableModel::BranchAt(int row) const
{
    return rows_->BranchAt(row);
}

int TBranchTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_->BranchCount();
}

QVariant TBranchTableModel::CellColor(const TBranch& branch, int param) const
{
    // The seam and position columns always show their own colour; colour modes paint
    // the whole row.
    int source = 0;
    if (param == bpLayer)
        source = 1;
    else if (param == bpPLF)
        source = 2;
    else
        source = colorMode_;
    const TMine* mine = branch.Mine();
    if (source == 1 && branch.LayerIndex() >= 0)
        return static_cast<uint>(mine->Layers.Items(branch.LayerIndex())->Color());
    if (source == 2 && branch.PLFIndex() >= 0)
        return static_cast<uint>(mine->PLFPositions.Items(branch.PLFIndex())->Color());
    return QVariant();
}

QVariant TBranchTableModel::data(const QModelIndex& index, int role) const
{
    const TBranch* b = index.isValid() ? BranchAt(index.row()) : nullptr;
    if (!b)
        return QVariant();
    const int param = ParamAt(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return TableCells::BranchText(*b, param);
    case Qt::EditRole:
        return TableCells::BranchEditText(*b, param);
    case Qt::TextAlignmentRole: {
        const bool right = columns_->At(index.column()).Def.Align == caRight;
        return QVariant::fromValue(Qt::Alignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    }
    case EditableRole:
        return TableCells::BranchEditable(*b, param);
    case StyleRole:
        return b->Selected() ? TTableLook::SelectedStyle : TTableLook::DataStyle;
    case CellColorRole:
        return CellColor(*b, param);
    case CheckBoxRole:
        if (param == bpFirePDiam)
            return IsLaid(b->FirePipe());
        return QVariant();
    case ParamRole:
        return param;
    default:
        return QVariant();
    }
}

bool TBranchTableModel::CellEditable(int row, int param) const
{
    const TBranch* b = BranchAt(row);
    return b && TableCells::BranchEditable(*b, param);
}

QString TBranchTableModel::EditText(int row, int param) const
{
    const TBranch* b = BranchAt(row);
    return b ? TableCells::BranchEditText(*b, param) : QString();
}

void TBranchTableModel::Apply(int row, int param, const QString& text)
{
    if (TBranch* b = BranchAt(row))
        TableEdits::ApplyBranchCell(*b, param, text);
}
