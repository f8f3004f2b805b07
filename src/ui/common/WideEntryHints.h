#pragma once

#include <QObject>

class QAbstractItemView;
class QComboBox;

// An entry of a list that is wider than its list shows its whole text as a hint laid over
// the entry itself, as far as the right edge of the screen allows. Entries that fit show none.
class TWideEntryHints : public QObject {
    Q_OBJECT
public:
    // Watches the view (and is owned by it).
    static void Install(QAbstractItemView* view);
    // Watches the drop-down list of the box.
    static void Install(QComboBox* box);

    // The text to show for the entry at the point of the view's viewport, empty when the entry
    // fits or there is none.
    static QString HintAt(const QAbstractItemView* view, const QPoint& viewportPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit TWideEntryHints(QAbstractItemView* view);
    QAbstractItemView* view_;
};
