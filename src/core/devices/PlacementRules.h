#pragma once

#include <QString>

class TBranch;
class TPipe;

// Where pumps and reducers may stand on a pipe. The pipe's ends are taken as the pipe will
// have them once the device stands there (a pipe grows to cover its devices).
namespace PlacementRules {

// Empty when a pump may stand at the position with its head in the direction (0 towards the
// end node, 1 towards the start node); otherwise the reason. Inside the pipe it may always
// stand; at an end of the pipe only where the branch ends in a surface node and the head
// points away from that node. The start is tested before the end.
QString PumpPlacementError(const TBranch& branch, const TPipe& pipe, double position, int headDirection);

// Whether the position is an end of the pipe (compared in single precision).
bool AtPipeEnd(const TPipe& pipe, double position);

inline const QString kReducerAtEnd =
    QStringLiteral("Не допускает располагать редуктор на конце трубы или в сопряжении выработок");

}  // namespace PlacementRules
