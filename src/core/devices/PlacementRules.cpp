#include "core/devices/PlacementRules.h"

#include "core/model/Branch.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include <algorithm>

namespace PlacementRules {

namespace {

struct Ends {
    float s, e, p;
};

Ends Widened(const TPipe& pipe, double position)
{
    const float p = static_cast<float>(position);
    return {std::min(static_cast<float>(pipe.StartFrac()), p), std::max(static_cast<float>(pipe.EndFrac()), p), p};
}

QString AtBranchEnd(const TUzel* node, bool headTowardsNode)
{
    if (!node)
        return QStringLiteral("Узел, в который был помещен насос неопределен.\r\nИзмените положение насоса");
    if (!node->Surface())
        return QStringLiteral("Узел, в который был помещен насос не является\r\nповерхностным. Измените положение насоса");
    if (headTowardsNode)
        return QStringLiteral("Неправильно указано направление напора для насоса,\r\nустановленного в поверхностный узел.\r\n"
                              "Измените положение насоса или направление напора");
    return QString();
}

}  // namespace

QString PumpPlacementError(const TBranch& branch, const TPipe& pipe, double position, int headDirection)
{
    const Ends x = Widened(pipe, position);
    const QString atPipeEnd = QStringLiteral("Не допускает располагать насос на конце трубы");
    if (x.p == x.s) {
        if (x.p != 0.0f)
            return atPipeEnd;
        return AtBranchEnd(branch.StartUzel(), headDirection == 1);
    }
    if (x.p == x.e) {
        if (x.p != 1.0f)
            return atPipeEnd;
        return AtBranchEnd(branch.EndUzel(), headDirection == 0);
    }
    return QString();
}

bool AtPipeEnd(const TPipe& pipe, double position)
{
    const Ends x = Widened(pipe, position);
    return x.p == x.s || x.p == x.e;
}

}  // namespace PlacementRules
