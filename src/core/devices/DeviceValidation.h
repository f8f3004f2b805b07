#pragma once

#include "core/devices/DeviceDraft.h"
#include "core/devices/DeviceEditError.h"

#include <optional>

class TBranch;

// The checks a device entry must pass before it reaches the model.
namespace DeviceValidation {

// Checks the draft for the branch in the dialog's order and throws EDeviceEditError with
// the first refusal: the chosen pipe must take the kind, the number must be given (all but
// the connection), then the kind's own rules, pump and reducer placement included.
void Validate(const TBranch& branch, const TDeviceDraft& draft);

// Takes a connection entry's flow, concentration or temperature as the user leaves the
// field. Flow and concentration must be above 0; any temperature is a temperature.
void SetConnectionValue(TConnectionEntry& entry, TDraftField field, const QString& text);

// A typed number ("," or "." as the decimal separator), or nothing.
std::optional<double> NumberOf(const QString& text);

}  // namespace DeviceValidation
