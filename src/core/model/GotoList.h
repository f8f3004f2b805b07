#pragma once

// What the go-to dialog ("Найти") lists and finds: the numbers of nodes, branches and
// fire-fighting-pipe devices, the names of plan positions, the "Номер ППЗ" texts of devices,
// and the comments of branches; each entry leads to its object.

#include <QString>

#include <vector>

class TBranch;
class TMine;
class TMineObject;

enum class GotoKind { Uzel = 0, Branch = 1, PLFPosition = 2, FireDevice = 3, PPZDevice = 4 };
inline constexpr int kGotoKindCount = 5;

inline const QString kGotoNotFoundText = QStringLiteral("Объект не найден");
inline const QString kGotoNoNumbersText = QStringLiteral("<номеров нет>");
inline const QString kGotoNoNamesText = QStringLiteral("<названий нет>");

// The kind box entries, in GotoKind order.
QString GotoKindCaption(GotoKind kind);
// The message the main window shows when the found object cannot be shown.
QString GotoMissText(GotoKind kind);
// Plan positions and "Номер ППЗ" texts are names; the others are numbers that are typed as
// digits.
bool GotoKindIsNumeric(GotoKind kind);
// The placeholder of an empty list of the kind.
QString GotoEmptyListText(GotoKind kind);

struct GotoEntry {
    QString text;
    TMineObject* object = nullptr;
};

// The entries of the number box of a kind, sorted as text (equal texts keep list order).
std::vector<GotoEntry> GotoNumberEntries(const TMine& mine, GotoKind kind);
// The branch comments (non-empty ones), sorted as text.
std::vector<GotoEntry> GotoCommentEntries(const TMine& mine);

// The branch the main window shows for a found object: the branch itself, the first branch
// (in the mine's order) of a plan position, the branch a device stands on; null for a node,
// or when there is none.
TBranch* GotoTargetBranch(const TMine& mine, GotoKind kind, TMineObject* object);

// The object of the first entry whose text equals the typed text (blanks around it ignored).
// Throws Exception(kGotoNotFoundText) when there is none.
TMineObject* FindGotoEntry(const std::vector<GotoEntry>& entries, const QString& text);
