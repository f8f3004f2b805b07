#pragma once

#include "core/tables/TableColumns.h"

#include <QValidator>

// Keeps out of a cell editor every character its column does not take, and turns ","
// and "." into the one decimal separator the program writes.
class TCellValidator : public QValidator {
    Q_OBJECT
public:
    TCellValidator(TTableKind kind, int param, QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;

private:
    TTableKind kind_;
    int param_;
};
