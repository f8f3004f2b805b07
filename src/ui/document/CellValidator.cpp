#include "ui/document/CellValidator.h"

#include "core/tables/TableCells.h"

TCellValidator::TCellValidator(TTableKind kind, int param, QObject* parent)
    : QValidator(parent), kind_(kind), param_(param)
{
}

QValidator::State TCellValidator::validate(QString& input, int&) const
{
    if (TableCells::NormalizesSeparator(kind_, param_))
        input.replace(QLatin1Char(','), QLatin1Char('.'));
    return TableCells::AcceptsText(kind_, param_, input) ? Acceptable : Invalid;
}
