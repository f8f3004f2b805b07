#include "ui/document/GridModel.h"

#include "core/history/EditTransaction.h"
#include "core/model/Errors.h"

#include <QFont>

TGridModel::TGridModel(TTableKind kind, TDocumentRows* rows, TColumnSet* columns, const TTableLook* look,
                       QObject* parent)
    : TDescriptorColumnsModel(columns, parent), kind_(kind), rows_(rows), look_(look)
{
}

int TGridModel::ParamAt(int column) const
{
    return column >= 0 && column < columns_->Count() ? columns_->ParamAt(column) : -1;
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole)
            return QString();
        return QVariant();
    }
    if (section < 0 || section >= columns_->Count())
        return QVariant();
    const TColumnDef& def = columns_->At(section).Def;
    switch (role) {
    case Qt::DisplayRole:
        return look_->HeadingText(def);
    case Qt::ToolTipRole:
        return def.LongTitle;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::FontRole:
        return look_->Font();
    case ParamRole:
        return def.Param;
    case SortableRole:
        // The hand cursor shows over every heading but the two distance columns.
        return !(kind_ == TTableKind::Branches && (def.Param == bpFirePFromS || def.Param == bpFirePFromE));
    default:
        return QVariant();
    }
}

bool TGridModel::IsEditable(const QModelIndex& index) const
{
    if (!index.isValid() || !ObjectAt(index.row()))
        return false;
    return CellEditable(index.row(), ParamAt(index.column()));
}

Qt::ItemFlags TGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editorMode_ && IsEditable(index))
        f |= Qt::ItemIsEditable;
    return f;
}

bool TGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    lastEditFailed_ = false;
    if (role != Qt::EditRole || !IsEditable(index))
        return false;
    const int param = ParamAt(index.column());
    const QString text = value.toString();
    // Leaving a cell untouched changes nothing, not even by rounding.
    if (text == EditText(index.row(), param))
        return true;
    // The row's object alone changes (a node with the branches at it, a branch with its
    // pipes).
    TEditTransaction tx(history_, QStringLiteral("Изменение ячейки"), TEditScope::Objects);
    tx.Touch(ObjectAt(index.row()));
    try {
        Apply(index.row(), param, text);
    } catch (const Exception& e) {
        // A refused value changed nothing: no step, and nothing to put back.
        tx.Commit();
        lastEditFailed_ = true;
        emit EditFailed(e.Message());
        return false;
    }
    tx.Commit();
    // Other cells of the row may follow (length, distances, the fire-pipe columns).
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
}

void TGridModel::Reload()
{
    beginResetModel();
    endResetModel();
}

void TGridModel::Repaint()
{
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}
