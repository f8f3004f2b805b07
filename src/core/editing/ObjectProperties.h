#pragma once

// The texts of the node and branch property windows: read-only descriptions of one node,
// one branch, its pipes and its devices, as the windows show them.

#include <QString>
#include <QStringList>

#include <vector>

class TBranch;
class TDevice;
class TPipe;
class TUzel;
class TWaterPipe;

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

// A value with a fixed number of decimals.
QString Fixed(double value, int decimals = 1);

}  // namespace ObjectProperties
