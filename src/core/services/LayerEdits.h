#pragma once

#include <QString>
#include <QStringList>

class TCustomLayer;
class TMine;

// Editing the mine's seams and emergency-plan positions: both lists share the rules, only
// the texts differ.
enum class TLayerKind { Seams, Positions };

namespace LayerEdits {

// Result of adding or renaming: the item to select, and whether the name was taken (the
// dialog then shows DuplicateText) or empty (nothing happened, Index −1).
struct TNameResult {
    int Index = -1;
    bool Duplicate = false;
};

int Count(const TMine& mine, TLayerKind kind);
TCustomLayer* Item(const TMine& mine, TLayerKind kind, int index);  // null outside the list
QStringList Names(const TMine& mine, TLayerKind kind);

// The index of the item whose name equals the name regardless of letter case, else −1.
int IndexOfName(const TMine& mine, TLayerKind kind, const QString& name, int except = -1);

// The name is trimmed; a new item is visible and white.
TNameResult Add(TMine& mine, TLayerKind kind, const QString& name);
TNameResult Rename(TMine& mine, TLayerKind kind, int index, const QString& name);
// Frees the item; branches that referred to it refer to none. False outside the list.
bool Remove(TMine& mine, TLayerKind kind, int index);
bool SetColor(TMine& mine, TLayerKind kind, int index, int color);

QString DuplicateText(TLayerKind kind);
QString RemoveQuestion(TLayerKind kind, const QString& name);

}  // namespace LayerEdits
