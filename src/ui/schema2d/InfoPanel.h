#pragma once

// The schema window's information panel: the mine summary on top and the picked object's
// description below it, items padded with dots to their width. It can be undocked.

#include <QDockWidget>

class QLabel;
class TMine;
class TMineObject;

class TInfoPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit TInfoPanel(QWidget* parent = nullptr);

    // Null for either clears that part.
    void ShowMine(const TMine* mine);
    void ShowObject(const TMineObject* object);

    QString SummaryText() const;
    QString DescriptionText() const;

private:
    QLabel* summary_;
    QLabel* description_;
};
