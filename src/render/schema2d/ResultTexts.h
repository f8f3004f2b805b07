#pragma once

// The texts of the schema's result labels: all numbers with one decimal, '.' whatever the
// locale, lines joined by "\n".

#include "render/schema2d/SchemaDrawing.h"

#include <QString>

class TBranch;
class TDevice;
class TUzel;
class TWaterPipePart;

namespace ResultTexts {

// value with the given decimals, C locale.
QString Fixed(double value, int decimals);

// A branch's label for the branch-information choice: its number, its length ("%0.1f") or
// its absolute inclination ("%0.2f").
QString BranchLabel(const TBranch& branch, int branchInfo);

// Lines of a pipe section for the chosen bits: "Q", "V", "R", "100i" only when the flow is not
// zero, "dP", "dZ", and "h" only when not zero.
QString SectionResult(const TWaterPipePart& section, const TSectionResult& values, quint16 bits);

// "P" (the pressure from an adjacent section of the water pipe of that slot) and "Z". Empty
// when the pressure would come from a section of no length.
QString UzelResult(const TUzel& uzel, int pipeSlot, quint16 bits, const THydroResults& results);

// Pressures before and after the device, manometer readings and Z, for pumps, reducers,
// hydrants, jet-break tanks and fire engines on a pipe with results.
QString DeviceResult(const TDevice& device, quint16 bits, const THydroResults& results);

}  // namespace ResultTexts
