#include "ui/document/ResultsModels.h"

#include "core/tables/TableColumns.h"
#include "ui/document/TableLook.h"

TResultSectionsModel::TResultSectionsModel(TColumnSet* columns, const TTableLook* look, QObject* parent)
    : TDescriptorColumnsModel(columns, parent), look_(look)
{
}

int TResultSectionsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant TResultSectionsModel::data(const QModelIndex&, int) const
{
    return QVariant();
}

QVariant TResultSectionsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    if (section < 0 || section >= columns_->Count())
        return QVariant();
    const TColumnDef& def = columns_->At(section).Def;
    switch (role) {
    case Qt::DisplayRole:
        return look_->HeadingText(def);
    case Qt::ToolTipRole:
        return def.LongTitle;
    case Qt::FontRole:
        return look_->Font();
    default:
        return QVariant();
    }
}

void TResultSectionsModel::Reload()
{
    beginResetModel();
    endResetModel();
}

TFixedHeadingsModel::TFixedHeadingsModel(QStringList headings, std::vector<int> widths, QObject* parent)
    : QAbstractTableModel(parent), headings_(std::move(headings)), widths_(std::move(widths))
{
}

int TFixedHeadingsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

int TFixedHeadingsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

QVariant TFixedHeadingsModel::data(const QModelIndex&, int) const
{
    return QVariant();
}

QVariant TFixedHeadingsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
    if (role != Qt::DisplayRole || section < 0 || section >= headings_.size())
        return QVariant();
    QString text = headings_.at(section);
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
