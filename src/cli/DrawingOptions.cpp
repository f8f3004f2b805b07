#include "DrawingOptions.h"

#include "core/checks/MessageList.h"
#include "core/hydraulics/HydroCalculation.h"
#include "core/model/Errors.h"
#include "core/schema/SchemaPositions.h"
#include "core/settings/ProfileFile.h"

#include <utility>
#include <vector>

namespace Cli {
namespace {

// One word of a choice option and the value it stands for.
template <typename T>
using Choices = std::vector<std::pair<const char*, T>>;

template <typename T>
std::optional<T> Choose(Arguments& a, const QString& name, const Choices<T>& choices, QString& error)
{
    const auto text = a.Option(name);
    if (!text)
        return std::nullopt;
    QStringList words;
    for (const auto& [word, value] : choices) {
        if (*text == QLatin1String(word))
            return value;
        words << QLatin1String(word);
    }
    if (error.isEmpty())
        error = QStringLiteral("--%1 must be one of %2").arg(name, words.join(u'|'));
    return std::nullopt;
}

}  // namespace

QStringList DrawingValueOptions(bool look)
{
    QStringList names{QStringLiteral("map-scale"), QStringLiteral("colour"), QStringLiteral("results")};
    if (look)
        names << QStringLiteral("pipe") << QStringLiteral("branch-info")
              << QStringLiteral("device-info") << QStringLiteral("profile");
    return names;
}

QStringList DrawingFlags(bool look)
{
    QStringList names{QStringLiteral("bw"), QStringLiteral("calc"), QStringLiteral("arrows")};
    if (look)
        names << QStringLiteral("no-node-numbers") << QStringLiteral("no-branch-numbers")
              << QStringLiteral("no-devices");
    return names;
}

std::optional<TDrawingChoice> ReadDrawing(Arguments& a, QString& error)
{
    // The settings the schema window starts with (the command line reads no settings store),
    // branch numbers on.
    TDrawingChoice choice;
    TSchemaDrawing& d = choice.Drawing;
    d = TSchemaDrawing::FromParams(TParams2D());
    TDisplaySwitches& show = d.Show;

    const auto mapScale = a.Integer(QStringLiteral("map-scale"), 1, 1'000'000);
    const auto pipe = Choose<qint32>(a, QStringLiteral("pipe"),
                                     {{"none", kPipeIndexNone}, {"fire", 0}, {"drain", 1}, {"air", 2}, {"gas", 3}}, error);
    const auto colour = Choose<quint8>(a, QStringLiteral("colour"),
                                       {{"standard", cmStandard},
                                        {"seams", cmSeams},
                                        {"positions", cmPositions},
                                        {"pressures", cmPressures}},
                                       error);
    const auto branchInfo = Choose<quint8>(a, QStringLiteral("branch-info"),
                                           {{"number", biNumbers}, {"length", biLengths}, {"angle", biAngles}}, error);
    const auto devInfo = Choose<quint8>(a, QStringLiteral("device-info"),
                                        {{"none", diNone},
                                         {"number", diNumbers},
                                         {"model", diModels},
                                         {"parameters", diParameters},
                                         {"ppz", diPPZ}},
                                        error);
    // The result labels, as the schema window's menu names them.
    quint16 bits = 0;
    if (const auto results = a.Option(QStringLiteral("results"))) {
        const Choices<quint16> kinds{{"q", rbQ},     {"v", rbV},     {"r", rbR}, {"100i", rb100i},     {"dp", rbDP},
                                     {"dz", rbDZ},   {"h", rbH},     {"p", rbP}, {"m", rbManometer}, {"z", rbZ},
                                     {"all", kAllResultBits}};
        for (const QString& word : results->toLower().split(u',', Qt::SkipEmptyParts)) {
            bool known = false;
            for (const auto& [name, bit] : kinds)
                if (word.trimmed() == QLatin1String(name)) {
                    bits |= bit;
                    known = true;
                }
            if (!known && error.isEmpty())
                error = QStringLiteral("--results takes q,v,r,100i,dp,dz,h,p,m,z or all, not %1").arg(word);
        }
    }
    choice.Calculate = a.Flag(QStringLiteral("calc"));
    const bool arrows = a.Flag(QStringLiteral("arrows"));
    if (!choice.Calculate && error.isEmpty() && (colour == cmPressures || bits != 0 || arrows))
        error = QStringLiteral("--colour pressures, --results and --arrows need --calc");
    choice.Profile = a.Option(QStringLiteral("profile"));
    if (choice.Profile && choice.Profile->isEmpty() && error.isEmpty())
        error = QStringLiteral("--profile needs a file name");
    if (!a.Ok() && error.isEmpty())
        error = a.Error();
    if (!error.isEmpty())
        return std::nullopt;

    show.PipeIndex = pipe.value_or(0);
    show.ColorPaint = colour.value_or(cmStandard);
    show.BranchInfo = branchInfo.value_or(biNumbers);
    show.DevInfo = devInfo.value_or(diNone);
    show.UzelNumbers = !a.Flag(QStringLiteral("no-node-numbers"));
    show.BranchLabels = !a.Flag(QStringLiteral("no-branch-numbers"));
    show.Devices = !a.Flag(QStringLiteral("no-devices"));
    d.BlackWhite = a.Flag(QStringLiteral("bw"));
    show.ResultBits = bits;
    show.WaterArrows = arrows;
    d.MapScale = int(mapScale.value_or(kDefaultMapScale));
    return choice;
}

TNetworkDocument LoadDrawing(const QString& path, TDrawingChoice& choice)
{
    if (choice.Profile)
        ProfileFile::Read(*choice.Profile, choice.Drawing.Colors);
    TNetworkDocument doc = NetworkFile::Read(path);
    // The frame the file's positions were laid out in, at the settings' map scale as the
    // document window takes it on opening; a map scale of the drawing's own rescales them.
    TSchemaFrame frame = SchemaPositions::LoadedFrame(*doc.Mine, doc.Version, doc.Settings.OX, doc.Settings.OY,
                                                      kDefaultMapScale);
    SchemaPositions::ChangeFactor(*doc.Mine, frame, SchemaFactor(choice.Drawing.MapScale));
    choice.Drawing.Origin = QPointF(frame.OX, frame.OY);
    if (choice.Calculate) {
        TCheckOptions options;
        options.UseProjectedPipes = doc.Settings.UseProjectedPipes;
        TMessageList list;
        THydroCalculation calc;
        if (calc.Prepare(*doc.Mine, list, options)) {
            calc.Solve();
            choice.Results = calc.Finish(*doc.Mine, list);
        }
        if (!choice.Results)
            throw Exception(calc.Failure().isEmpty() ? QStringLiteral("the calculation gave no results") : calc.Failure());
        choice.Drawing.Results = choice.Results.get();
    }
    return doc;
}

}  // namespace Cli
