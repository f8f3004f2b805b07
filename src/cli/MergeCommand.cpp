#include "CliSupport.h"
#include "Commands.h"

#include "core/services/MineMerge.h"
#include "core/schema/SchemaPositions.h"
#include "core/file/NetworkFile.h"

#include <climits>
#include <cmath>

// merge BASE ATTACHED OUT [--dx DX] [--dy DY] [--first-node N] [--first-branch N]
// [--map-scale M]: a new mine of the two, the attached one numbered after the base one and
// shifted by (DX, DY) metres.
int RunMerge(const QStringList& args)
{
    Cli::Arguments a(args, {QStringLiteral("dx"), QStringLiteral("dy"), QStringLiteral("first-node"),
                            QStringLiteral("first-branch"), QStringLiteral("map-scale")});
    const auto firstUzel = a.Integer(QStringLiteral("first-node"), INT_MIN, INT_MAX);
    const auto firstBranch = a.Integer(QStringLiteral("first-branch"), INT_MIN, INT_MAX);
    const auto mapScale = a.Integer(QStringLiteral("map-scale"), 1, 1'000'000);
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (a.Positional().size() != 3)
        return Cli::UsageError(QStringLiteral("merge takes a base, an attached and an output file"));
    TMergeRequest request;
    for (const auto& [name, target] : {std::pair{QStringLiteral("dx"), &request.Dx}, std::pair{QStringLiteral("dy"), &request.Dy}})
        if (const auto text = a.Option(name)) {
            bool ok = false;
            *target = text->toDouble(&ok);
            if (!ok || !std::isfinite(*target))
                return Cli::UsageError(QStringLiteral("--%1 takes a number of metres").arg(name));
        }
    if (firstUzel)
        request.FirstUzel = static_cast<int>(*firstUzel);
    if (firstBranch)
        request.FirstBranch = static_cast<int>(*firstBranch);
    request.SchemaFactor = SchemaFactor(static_cast<int>(mapScale.value_or(kDefaultMapScale)));

    return Cli::Guarded([&] {
        const TNetworkDocument base = NetworkFile::Read(a.Positional()[0]);
        const TNetworkDocument attached = NetworkFile::Read(a.Positional()[1]);
        MineMerge::CheckPreconditions(2, *base.Mine);
        const TNetworkDocument merged =
            MineMerge::Merge(*base.Mine, base.Settings, base.BranchOrder, *attached.Mine, request);
        NetworkFile::Write(a.Positional()[2], *merged.Mine, merged.Settings, merged.BranchOrder, kCurrentStreamVersion);
        return static_cast<int>(kExitOk);
    });
}
