#pragma once

#include <functional>

class QHeaderView;

// Column order lives in the document's column descriptors, not in the header: when the
// user drags a heading, the header's own move is undone and the descriptor moves instead
// (through moveColumn, which moves it in the model and marks the document).
void KeepColumnOrderInDescriptors(QHeaderView* header, std::function<void(int from, int to)> moveColumn);
