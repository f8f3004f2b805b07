#include "DrawingOptions.h"

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
    QStringList names{QStringLiteral("map-scale")};
    if (look)
        names << QStringLiteral("pipe") << QStringLiteral("colour") << QStringLiteral("branch-info")
              << QStringLiteral("device-info") << QStringLiteral("profile");
    return names;
}

QStringList DrawingFlags(bool look)
{
    QStringList names{QStringLiteral("bw")};
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
                                       {{"standard", cmStandard}, {"seams", cmSeams}, {"positions", cmPositions}}, error);
    const auto branchInfo = Choose<quint8>(a, QStringLiteral("branch-info"),
                                           {{"number", biNumbers}, {"length", biLengths}, {"angle", biAngles}}, error);
    const auto devInfo = Choose<quint8>(a, QStringLiteral("device-info"),
                                        {{"none", diNone},
                                         {"number", diNumbers},
                                         {"model", diModels},
                                         {"parameters", diParameters},
                                         {"ppz", diPPZ}},
                                        error);
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
    return doc;
}

}  // namespace Cli
