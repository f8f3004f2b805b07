#pragma once

#include "core/model/Errors.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

#include "core/hydraulics/HydroResults.h"

class TColumnSet;

// The stored results of the fire-fighting pipe as a tab-separated text for spreadsheets:
// a heading line, then one line per section, each field after a tab, lines ended by CR LF,
// in the Windows-1251 code page. Only the visible columns are written, in table order.
namespace ResultsText {

inline const QString kNoResults =
    QStringLiteral("Документ не содержит результатов расчета: экспортировать нечего");

// The cell as the sections table shows it: fixed notation with the column's decimals, the
// comment as the branch's comment with tabs and line breaks turned into blanks (so a row
// stays one line of the file).
QString CellText(const THydroBranch& row, int param, int decimals);
// A row's cell of the results table (column type `param`), its numbers written by
// `number`; the text file and the printed report differ only in that.
QString SectionCell(const THydroBranch& row, int param, const std::function<QString(double)>& number);

QByteArray Build(const std::vector<THydroBranch>& rows, const TColumnSet& columns);

// The texts of a plate row (hydrant, pressure, excess, "plate - size", drop, after, fitted
// plate or "-") and of a shortage row (hydrant, pressure, shortage), one decimal.
QStringList WasherCells(const TWasherRow& row);
QStringList LowerCells(const TLowerRow& row);

// Writes the text through a temporary renamed over path. rows is null when the document
// holds no results: that is refused with kNoResults instead of writing nothing. A failed
// write gives "Ошибка при экспорте результатов в файл %s:\r\n%s" with the reason.
void Export(const QString& path, const std::vector<THydroBranch>* rows, const TColumnSet& columns);

// The reason shown for a system error code.
QString ReasonText(int code);

}  // namespace ResultsText
