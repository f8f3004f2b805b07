#include "ui/document/MessageListModel.h"

TMessageListModel::TMessageListModel(TMessageList* list, QObject* parent) : QAbstractListModel(parent), list_(list)
{
    list_->SetObserver(this);
}

TMessageListModel::~TMessageListModel()
{
    Detach();
}

void TMessageListModel::Detach()
{
    if (!list_)
        return;
    beginResetModel();
    list_->SetObserver(nullptr);
    list_ = nullptr;
    endResetModel();
}

int TMessageListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !list_ ? 0 : list_->Count();
}

QVariant TMessageListModel::data(const QModelIndex& index, int role) const
{
    if (!list_ || !index.isValid() || index.row() >= list_->Count())
        return QVariant();
    if (role == Qt::DisplayRole)
        return list_->Line(index.row()).Text;
    return QVariant();
}

void TMessageListModel::LinesAboutToBeAppended(int first, int count)
{
    beginInsertRows(QModelIndex(), first, first + count - 1);
}

void TMessageListModel::LinesAppended(int, int)
{
    endInsertRows();
}

void TMessageListModel::LineChanged(int index)
{
    const QModelIndex i = this->index(index);
    emit dataChanged(i, i);
}

void TMessageListModel::LinesAboutToBeReset()
{
    beginResetModel();
}

void TMessageListModel::LinesReset()
{
    endResetModel();
}
