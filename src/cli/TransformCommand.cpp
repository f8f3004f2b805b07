#include "CliSupport.h"
#include "Commands.h"
#include "NumberLists.h"

#include "core/services/NodeTransform.h"
#include "core/schema/SchemaPositions.h"
#include "core/file/NetworkFile.h"
#include "core/model/Errors.h"
#include "core/model/Uzel.h"

#include <unordered_set>

// transform IN OUT [--nodes 1,2,...] [--schema-only] [--map-scale M]
//   (--shift DX,DY,DZ | --scale KX,KY,KZ | both | --rotate DEG [--about X0,Y0] | --swap-xy)
// Shift and scale given together act in one step, as the dialog does.
int RunTransform(const QStringList& args)
{
    Cli::Arguments a(args,
                     {QStringLiteral("nodes"), QStringLiteral("map-scale"), QStringLiteral("shift"), QStringLiteral("scale"),
                      QStringLiteral("rotate"), QStringLiteral("about")},
                     {QStringLiteral("schema-only"), QStringLiteral("swap-xy")});
    const auto mapScale = a.Integer(QStringLiteral("map-scale"), 1, 1'000'000);
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (a.Positional().size() != 2)
        return Cli::UsageError(QStringLiteral("transform takes an input and an output file"));

    TTransformRequest request;
    request.SchemaOnly = a.Flag(QStringLiteral("schema-only"));
    request.SchemaFactor = SchemaFactor(static_cast<int>(mapScale.value_or(kDefaultMapScale)));
    const auto shift = a.Option(QStringLiteral("shift"));
    const auto scale = a.Option(QStringLiteral("scale"));
    const auto rotate = a.Option(QStringLiteral("rotate"));
    const auto about = a.Option(QStringLiteral("about"));
    const bool swap = a.Flag(QStringLiteral("swap-xy"));
    const int kinds = ((shift || scale) ? 1 : 0) + (rotate ? 1 : 0) + (swap ? 1 : 0);
    if (kinds != 1 || (about && !rotate))
        return Cli::UsageError(
            QStringLiteral("transform takes one of --shift and/or --scale, --rotate [--about], --swap-xy"));
    if (shift || scale) {
        request.Kind = TTransformKind::ShiftScale;
        if (shift) {
            const auto d = Cli::ParseDoubles(*shift, 3);
            if (!d)
                return Cli::UsageError(QStringLiteral("--shift takes DX,DY,DZ"));
            request.Dx = (*d)[0], request.Dy = (*d)[1], request.Dz = (*d)[2];
        }
        if (scale) {
            const auto k = Cli::ParseDoubles(*scale, 3);
            if (!k)
                return Cli::UsageError(QStringLiteral("--scale takes KX,KY,KZ"));
            request.Kx = (*k)[0], request.Ky = (*k)[1], request.Kz = (*k)[2];
        }
    } else if (rotate) {
        request.Kind = TTransformKind::Rotate;
        const auto angle = Cli::ParseDoubles(*rotate, 1);
        const auto centre = about ? Cli::ParseDoubles(*about, 2) : std::optional<std::vector<double>>({0.0, 0.0});
        if (!angle || !centre)
            return Cli::UsageError(QStringLiteral("--rotate takes DEG, --about X0,Y0"));
        request.AngleDegrees = (*angle)[0];
        request.X0 = (*centre)[0], request.Y0 = (*centre)[1];
    } else {
        request.Kind = TTransformKind::SwapXY;
    }
    std::optional<std::vector<int>> numbers;
    if (const auto nodes = a.Option(QStringLiteral("nodes"))) {
        numbers = Cli::ParseIntegers(*nodes);
        if (!numbers)
            return Cli::UsageError(QStringLiteral("--nodes takes node numbers: 1,2,..."));
    }

    return Cli::Guarded([&] {
        TNetworkDocument doc = NetworkFile::Read(a.Positional()[0]);
        std::vector<TUzel*> area;
        if (numbers) {
            const std::unordered_set<int> wanted(numbers->begin(), numbers->end());
            for (TUzel* u : doc.Mine->Uzels)
                if (wanted.contains(u->Number()))
                    area.push_back(u);
            for (const int n : wanted)
                if (!doc.Mine->FirstUzelWithNumber(n))
                    throw EMineError(QStringLiteral("Узел № %1 не найден").arg(n));
        } else {
            area = doc.Mine->Uzels.ToVector();
        }
        NodeTransform::Apply(*doc.Mine, area, request);
        NetworkFile::Write(a.Positional()[1], *doc.Mine, doc.Settings, doc.BranchOrder, kCurrentStreamVersion);
        return static_cast<int>(kExitOk);
    });
}
