#pragma once

#include "core/checks/MessageList.h"

#include <QAbstractListModel>

// The document's message list as a list model: follows every change of the list.
class TMessageListModel : public QAbstractListModel, private IMessageListObserver {
    Q_OBJECT
public:
    explicit TMessageListModel(TMessageList* list, QObject* parent = nullptr);
    ~TMessageListModel() override;

    TMessageList& List() const { return *list_; }
    // Stops following the list (before the list goes away).
    void Detach();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    void LinesAboutToBeAppended(int first, int count) override;
    void LinesAppended(int first, int count) override;
    void LineChanged(int index) override;
    void LinesAboutToBeReset() override;
    void LinesReset() override;

    TMessageList* list_;
};
