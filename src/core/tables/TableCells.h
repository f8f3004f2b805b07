#pragma once

#include "core/tables/TableColumns.h"

#include <QChar>
#include <QString>

class TBranch;
class TUzel;

// What the node and branch tables show in a cell, what the cell editor starts with, and
// which cells and characters editing accepts. Columns are given by their type (TUzelParam,
// TBranchParam).
namespace TableCells {

// The text shown in the cell: numbers in fixed notation with the column's decimals. The
// fire-pipe columns (diameter to K) stay empty while the fire pipe is not laid.
QString UzelText(const TUzel& uzel, int param);
QString BranchText(const TBranch& branch, int param);

// The text the cell editor starts with: the value in its shortest exact form.
QString UzelEditText(const TUzel& uzel, int param);
QString BranchEditText(const TBranch& branch, int param);

bool UzelEditable(int param);
// Length and angle are computed; the wall thickness, the distances and K only mean
// something while the fire pipe is laid; seam and plan position are read-only.
bool BranchEditable(const TBranch& branch, int param);

// Whether a typed character is kept in the cell editor of the column. "," and "." are
// both decimal separators.
bool AcceptsChar(TTableKind kind, int param, QChar ch);
// Whether every character of a text would have been accepted (text pasted into an editor).
bool AcceptsText(TTableKind kind, int param, const QString& text);
// Columns whose decimal separator is turned into the one the program writes (".").
bool NormalizesSeparator(TTableKind kind, int param);

// A double as the cell editor shows it: at most 15 significant digits, no exponent.
QString ShortestText(double value);
// Fixed notation with the given decimals, always with ".".
QString FixedText(double value, int decimals);

}  // namespace TableCells
