#pragma once

#include <QString>

class TDocumentRows;
class TMine;

// What the clipboard commands of a document window may do and how they read. Cut and copy
// act on the table the commands follow; paste on whichever format the clipboard holds.
namespace ClipboardRules {

// The objects a paste reads: nodes when the node format is on the clipboard, else branches
// when the branch format is.
enum class TPasteKind { None, Uzels, Branches };
TPasteKind PasteKind(bool hasUzels, bool hasBranches);

// Cut and copy work on the first page (0) while the rows are current and the table has rows.
bool CanCutCopy(const TDocumentRows& rows, bool uzelTable, int page);
bool CanPaste(TPasteKind kind);

// "&Копировать узлы (2)", "&Вырезать ветви (1)": the number is what copy would take from
// that table, at least 1.
QString CopyCaption(const TMine& mine, bool uzelTable);
QString CutCaption(const TMine& mine, bool uzelTable);
// "В&ставить узлы", "В&ставить ветви", or plain "В&ставить" with nothing to paste.
QString PasteCaption(TPasteKind kind);

}  // namespace ClipboardRules
