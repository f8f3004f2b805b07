#pragma once

#include "core/model/Errors.h"

// The field of the device dialog that a refusal points at, so the dialog can focus it.
enum class TDraftField {
    None,
    Kind,
    Number,
    Position,
    PumpModel,
    ReducerModel,
    Manometer1,
    Manometer2,
    CraneFlow,
    CraneDiameter,
    AddPressure,
    MakeUpFlow,
    Volume,
    VacuumP1,
    WellCell,            // Row and Column name the cell
    ConnectionNumber,    // Row names the connection entry
    ConnectionFlow,
    ConnectionConcentration,
    ConnectionTemperature,
    WellGrid,
};

// A device entry the editor refuses: the text the user sees and where to put the focus.
// Nothing in the model has changed when it is thrown.
class EDeviceEditError : public Exception {
public:
    explicit EDeviceEditError(QString message, TDraftField field = TDraftField::None, int row = -1, int column = -1)
        : Exception(std::move(message)), field_(field), row_(row), column_(column)
    {
    }
    TDraftField Field() const { return field_; }
    int Row() const { return row_; }
    int Column() const { return column_; }

private:
    TDraftField field_;
    int row_;
    int column_;
};

// A value the pipe window refuses; the pipe keeps its previous value.
class EPipeEditError : public Exception {
public:
    using Exception::Exception;
};

namespace DeviceEditTexts {
inline const QString kBadNumber = QStringLiteral("Неверно указано число");
inline const QString kUnsupported = QStringLiteral("Выбранное устройство не поддерживается трубопроводом этого типа");
}  // namespace DeviceEditTexts
