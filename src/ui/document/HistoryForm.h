#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;
class QListWidget;
class QListWidgetItem;
class TChildForm;

// "История правок": the steps of the active document's undo history, the first row the
// state the history began with. The current step is marked, undone steps are grey; a click
// walks the history to that row. A line tells how many older steps were let go.
class THistoryForm : public QWidget {
    Q_OBJECT
public:
    explicit THistoryForm(QWidget* parent = nullptr);

    // The document whose history is shown (null: none).
    void SetDocument(TChildForm* document);
    TChildForm* Document() const { return document_; }
    QListWidget* List() const { return list_; }
    QLabel* DroppedLine() const { return dropped_; }

private:
    void Refill();
    void UpdateEnabled();
    void RowClicked(QListWidgetItem* item);

    QPointer<TChildForm> document_;
    QListWidget* list_ = nullptr;
    QLabel* dropped_ = nullptr;
};
