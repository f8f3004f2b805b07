#pragma once

// The seam and plan-position drop-downs of the schema windows: every seam (position) of the mine
// by name, checked while its branches are shown, and the seam a chosen entry stands for.

class QAction;
class QString;
class QMenu;
class QToolBar;
class QToolButton;
class TCustomLayer;
class TMine;

namespace LayerMenu {

// Fills the menu anew with the mine's seams (or plan positions); empty without a mine.
void Fill(QMenu* menu, const TMine* mine, bool seams);
// The seam (position) of an entry filled above; null when the mine has no such one any more.
TCustomLayer* Chosen(const QAction* action, TMine& mine, bool seams);
// Shows or hides the seam (position) of a chosen entry; returns it, or null as Chosen.
TCustomLayer* Toggle(const QAction* action, TMine& mine, bool seams);

// The drop-down button on the bar that opens the menu.
QToolButton* AddButton(QToolBar* bar, QMenu* menu, const QString& caption);
// Opened from its button, the list comes back for the next choice, so several seams can be
// switched in a row.
void OfferAgain(QToolButton* button);

}  // namespace LayerMenu
