#pragma once

// The seam and plan-position drop-downs of the schema windows: every seam (position) of the mine
// by name, checked while its branches are shown, and the seam a chosen entry stands for.

class QAction;
class QMenu;
class TCustomLayer;
class TMine;

namespace LayerMenu {

// Fills the menu anew with the mine's seams (or plan positions).
void Fill(QMenu* menu, const TMine& mine, bool seams);
// The seam (position) of an entry filled above; null when the mine has no such one any more.
TCustomLayer* Chosen(const QAction* action, TMine& mine, bool seams);

}  // namespace LayerMenu
