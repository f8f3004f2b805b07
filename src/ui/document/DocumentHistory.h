#pragma once

class TEditHistory;
class TMine;

namespace DocumentHistory {

// The undo history of the open document that owns the mine; null when no document window
// holds it (a mine a dialog was given on its own, in tests). For dialogs that are handed
// model objects rather than their document.
TEditHistory* Of(const TMine* mine);

}  // namespace DocumentHistory
