#pragma once

// "Диаметр труб и толщина стенок": the laid fire-fighting pipes in groups of one diameter
// and wall thickness; the new diameter and new thickness of each group are typed in the
// grid and "&Установить" gives them to every pipe of the group (refused as a whole when one
// group's wall is too thick for its diameter). The groups are rebuilt after each setting.
//
// Plugging in: TAutoSetWallThickForm form(mine, parent); form.SetHistory(history); form.exec().

#include "core/services/WallGroups.h"

#include <QDialog>

class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class TEditHistory;
class TMine;

class TAutoSetWallThickForm : public QDialog {
    Q_OBJECT
public:
    TAutoSetWallThickForm(TMine& mine, QWidget* parent = nullptr);

    QTableWidget* Grid() const { return grid_; }
    QPushButton* SetButton() const { return set_; }
    const std::vector<TWallGroup>& Groups() const { return groups_; }
    // Each "&Установить" is one step of this history (none: not recorded).
    void SetHistory(TEditHistory* history) { history_ = history; }

    // Takes a cell's text as the new diameter (column 3) or thickness (4); false, with
    // "Неверно указано число" shown, when it is not a whole number.
    bool TakeCell(int row, int column, const QString& text);
    // "&Установить"; false when refused.
    bool ApplyGroups();

private:
    void Rebuild();
    void CellChanged(QTableWidgetItem* item);

    TMine& mine_;
    TEditHistory* history_ = nullptr;
    std::vector<TWallGroup> groups_;
    QTableWidget* grid_ = nullptr;
    QPushButton* set_ = nullptr;
    bool filling_ = false;
};
