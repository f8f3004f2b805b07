#pragma once

// The texts of the node and branch property windows: read-only descriptions of one node,
// one branch, its pipes and its devices, as the windows show them.

#include <QString>
#include <QStringList>

#include <vector>

class TBranch;
class TDevice;
class THydroResults;
class TPipe;
class TUzel;
class TWaterPipe;
class TWaterPipePart;
struct TSectionResult;

namespace ObjectProperties {

// The pipes a branch carries, as the windows' pipe boxes list them: the laid water pipes as
// "пожарно-оросительный", "водоотливный", "воздухопроводный", then every gas pipe as
// "газопровод №%d"; empty when there is none (the box then shows "нет").
std::vector<const TPipe*> ListedPipes(const TBranch& branch);
QString PipeName(const TPipe& pipe);

// "Сквозное", "От конечного узла", "От начального узла", or empty.
QString Placement(const TPipe& pipe);

// The specific-resistance line of a water pipe.
QString ResistanceText(const TWaterPipe& pipe);

// A device in the device list: its kind and number ("%s %d").
QString DeviceLine(const TDevice& device);
// The distance from the branch's start (or end) node: metres with one decimal, "м, (", the
// share of the branch length with one decimal and "%)".
QString DistanceText(const TDevice& device, bool fromStart);

// Head direction of a pump or reducer: 0 "к конечному узлу", 1 "к начальному узлу".
QString DirectionText(int direction);
// How a hydrant's water is used.
QString ConsumerText(int type);

// The quantities the sections chart shows, by index 0–10: flow, velocity, resistance,
// hydraulic slope, pressure difference (end − start), height difference, head loss, pressure
// at the start and at the end, length, length × K.
inline constexpr int kSectionQuantities = 11;
double SectionQuantity(const TWaterPipePart& section, const TSectionResult& values, int index);
// The button hint and the left axis title of a quantity.
QString QuantityHint(int index);
QString QuantityAxisTitle(int index);
// A section's bar label: the numbers at its two ends, "%d-%d".
QString SectionBarLabel(const TWaterPipePart& section);

// The calculated pressures the windows show (false: none to show).
// At a node: the pressure at the node's end of the fire-fighting pipe's first section of each
// branch starting there with its pipe, and of the last section of each branch ending there,
// when that section has a length; the last one found.
bool UzelPressure(const TUzel& uzel, const THydroResults& results, double& pressure);
// At a branch's start (end) node: the start pressure of the fire-fighting pipe's first section,
// or of the second when the first has no length (likewise the end pressure of the last, or the
// one before it), when the pipe reaches that end.
bool BranchEndPressure(const TBranch& branch, bool start, const THydroResults& results, double& pressure);
// At a device: a hydrant's pressure, otherwise the start pressure of the device's own section
// (the calculation's pressure after it when the section has none).
bool DevicePressure(const TDevice& device, const THydroResults& results, double& pressure);

// A value with a fixed number of decimals.
QString Fixed(double value, int decimals = 1);

}  // namespace ObjectProperties
