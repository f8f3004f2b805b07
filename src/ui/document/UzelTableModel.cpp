#include "ui/document/UzelTableModel.h"

#include "core/tables/DocumentRows.h"
#include "core/tables/TableCells.h"
#include "core/tables/TableEdits.h"
#include "core/model/Uzel.h"

TUzelTableModel::TUzelTableModel(TDocumentRows* rows, TColumnSet* columns, const TTableLook* look, QObject* parent)
    : TGridModel(TTableKind::Uzels, rows, columns, look, parent)
{
}

TMineObject* TUzelTableModel::ObjectAt(int row) const
{
    return UzelAt(row);
}

TUzel* TUzelTableModel::UzelAt(int row) const
{
    return rows_->UzelAt(row);
}

int TUzelTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_->UzelCount();
}

QVariant TUzelTableModel::data(const QModelIndex& index, int role) const
{
    const TUzel* u = index.isValid() ? UzelAt(index.row()) : nullptr;
    if (!u)
        return QVariant();
    const int param = ParamAt(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return TableCells::UzelText(*u, param);
    case Qt::EditRole:
        return TableCells::UzelEditText(*u, param);
    case Qt::TextAlignmentRole: {
        const bool right = columns_->At(index.column()).Def.Align == caRight;
        return QVariant::fromValue(Qt::Alignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
    }
    case EditableRole:
        return TableCells::UzelEditable(param);
    case StyleRole:
        if (u->Selected())
            return TTableLook::SelectedStyle;
        return u->Surface() ? TTableLook::SurfaceStyle : TTableLook::DataStyle;
    case ParamRole:
        return param;
    default:
        return QVariant();
    }
}

bool TUzelTableModel::CellEditable(int, int param) const
{
    return TableCells::UzelEditable(param);
}

QString TUzelTableModel::EditText(int row, int param) const
{
    const TUzel* u = UzelAt(row);
    return u ? TableCells::UzelEditText(*u, param) : QString();
}

void TUzelTableModel::Apply(int row, int param, const QString& text)
{
    if (TUzel* u = UzelAt(row))
        TableEdits::ApplyUzelCell(*u, param, text, frameSource_ ? frameSource_() : TSchemaFrame{});
}
