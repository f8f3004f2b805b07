#pragma once

// The free-number chooser: a small pop-up list of the numbers not yet used, each gap number
// by number or as one "%d - %d" range, optionally ending with "N и далее ...". "&Вставить"
// or a double click gives the selected entry's number, "О&тмена" nothing.
//
// Plugging in:
//     const int n = PickFreeNumber(button->mapToGlobal(...), mine, nsUzels | nsWaterDevices,
//                                  {}, false, true, this);
//     if (n > 0) ...

#include "core/services/FreeNumberEntries.h"

#include <QDialog>
#include <QPoint>
#include <vector>

class QListWidget;
class QPushButton;
class TMine;

class TFreeNumForm : public QDialog {
    Q_OBJECT
public:
    TFreeNumForm(const std::vector<TFreeNumberEntry>& entries, QWidget* parent = nullptr);

    // The selected entry's number when it is at least 1, else −1.
    int Chosen() const;
    // Places the window at the screen point, moved left or up so it stays on the screen.
    void PlaceAt(const QPoint& screenPoint);

    QListWidget* List() const { return list_; }
    QPushButton* InsertButton() const { return insert_; }

private:
    QListWidget* list_ = nullptr;
    QPushButton* insert_ = nullptr;
};

// The number chosen, or −1. extra numbers count as used besides those of the sources. In
// automatic mode the first entry is taken without showing the list.
int PickFreeNumber(const QPoint& screenPoint, const TMine& mine, int sources, const std::vector<int>& extra,
                   bool automatic, bool withTail, QWidget* parent = nullptr);
