#include "CliSupport.h"
#include "Commands.h"

#include "core/schema/SchemaPositions.h"
#include "core/file/AtomicFile.h"
#include "core/file/NetworkFile.h"
#include "core/settings/ProfileFile.h"
#include "render/export/DrawnObjectsJson.h"
#include "render/export/BmpFile.h"
#include "render/export/PictureExport.h"
#include "render/export/SchemaPicture.h"
#include "render/schema2d/SchemaScene.h"
#include "render/schema2d/ZoomSteps.h"

#include <QFile>
#include <QRegularExpression>

#include <optional>
#include <utility>
#include <vector>

namespace {

// One word of a choice option and the value it stands for.
template <typename T>
using Choices = std::vector<std::pair<const char*, T>>;

template <typename T>
std::optional<T> Choose(Cli::Arguments& a, const QString& name, const Choices<T>& choices, QString& error)
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

// "WxH" with both sides within the picture limits.
std::optional<QSize> ParseSize(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,6})[xX](\\d{1,6})$"));
    const QRegularExpressionMatch m = pattern.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int w = m.captured(1).toInt();
    const int h = m.captured(2).toInt();
    if (w < 1 || h < 1 || w > kMaxPictureSide || h > kMaxPictureSide || qint64(w) * h > kMaxPicturePixels)
        return std::nullopt;
    return QSize(w, h);
}

}  // namespace

// render FILE OUT.(png|bmp|jpg|emf|svg|pdf) [--scale PCT] [--fit WxH] [--map-scale M] [--pipe ...]
//        [--colour ...] [--branch-info ...] [--device-info ...] [--no-node-numbers]
//        [--no-branch-numbers] [--no-devices] [--bw] [--profile FILE.cl] [--objects OUT.json]
//        [--bits 1|4|8|16|24] [--quality 1..100] [--progressive] [--grey]
//
// Draws the schema of a network file into a picture, as the schema window would with the
// settings' defaults: the whole drawing with its margins at the scale given, or fitted into a
// picture of W×H pixels. The output's extension (in any case) chooses the format; --bits is
// the bitmap's depth (8 unless given), --quality, --progressive and --grey shape a JPEG.
// --objects lists where every node, branch and device was drawn. Nothing is left behind when
// a file cannot be read or written.
int RunRender(const QStringList& args)
{
    Cli::Arguments a(args,
                     {QStringLiteral("scale"), QStringLiteral("fit"), QStringLiteral("map-scale"), QStringLiteral("pipe"),
                      QStringLiteral("colour"), QStringLiteral("branch-info"), QStringLiteral("device-info"),
                      QStringLiteral("profile"), QStringLiteral("objects"), QStringLiteral("bits"),
                      QStringLiteral("quality")},
                     {QStringLiteral("no-node-numbers"), QStringLiteral("no-branch-numbers"),
                      QStringLiteral("no-devices"), QStringLiteral("bw"), QStringLiteral("progressive"),
                      QStringLiteral("grey")});
    if (!a.Ok())
        return Cli::UsageError(a.Error());

    // The settings the schema window starts with (the command line reads no settings store).
    const TParams2D params;
    TSchemaPictureRequest request;
    request.Show = TDisplaySwitches::FromParams(params);
    request.Show.BranchLabels = true;
    request.Limits = TScaleLimits{params.MinLimScale, params.MaxLimScale, params.MinFontScale, params.MaxFontScale};
    const int settingsMapScale = kDefaultMapScale;

    QString error;
    const auto percent = a.Integer(QStringLiteral("scale"), 1, ZoomSteps::kMaxPercent);
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
    std::optional<QSize> fit;
    if (const auto text = a.Option(QStringLiteral("fit"))) {
        fit = ParseSize(*text);
        if (!fit && error.isEmpty())
            error = QStringLiteral("--fit must be WxH, each side from 1 to %1 pixels").arg(kMaxPictureSide);
    }
    const auto bits = a.Integer(QStringLiteral("bits"), 1, 32);
    if (bits && !BmpFile::BitsSupported(int(*bits)) && error.isEmpty())
        error = QStringLiteral("--bits must be one of 1|4|8|16|24");
    const auto quality = a.Integer(QStringLiteral("quality"), 1, 100);
    const auto profile = a.Option(QStringLiteral("profile"));
    const auto objects = a.Option(QStringLiteral("objects"));
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (!error.isEmpty())
        return Cli::UsageError(error);
    if (a.Positional().size() != 2)
        return Cli::UsageError(QStringLiteral("render takes a network file and an output picture"));
    if ((profile && profile->isEmpty()) || (objects && objects->isEmpty()))
        return Cli::UsageError(QStringLiteral("--profile and --objects need a file name"));
    const QString input = a.Positional()[0];
    const QString output = a.Positional()[1];
    const std::optional<TPictureFormat> format = PictureExport::FormatOf(output);
    if (!format)
        return Cli::UsageError(QStringLiteral("Указано неизвестное расширение файла"));
    if (bits && *format != TPictureFormat::Bmp)
        return Cli::UsageError(QStringLiteral("--bits is for .bmp pictures only"));
    if ((quality || a.Flag(QStringLiteral("progressive")) || a.Flag(QStringLiteral("grey"))) &&
        *format != TPictureFormat::Jpeg)
        return Cli::UsageError(QStringLiteral("--quality, --progressive and --grey are for .jpg pictures only"));
    TPictureOptions options;
    options.BmpBits = int(bits.value_or(8));
    options.Jpeg.Quality = int(quality.value_or(75));
    options.Jpeg.Progressive = a.Flag(QStringLiteral("progressive"));
    options.Jpeg.Grey = a.Flag(QStringLiteral("grey"));

    request.Show.PipeIndex = pipe.value_or(0);
    request.Show.ColorPaint = colour.value_or(cmStandard);
    request.Show.BranchInfo = branchInfo.value_or(biNumbers);
    request.Show.DevInfo = devInfo.value_or(diNone);
    request.Show.UzelNumbers = !a.Flag(QStringLiteral("no-node-numbers"));
    request.Show.BranchLabels = !a.Flag(QStringLiteral("no-branch-numbers"));
    request.Show.Devices = !a.Flag(QStringLiteral("no-devices"));
    request.BlackWhite = a.Flag(QStringLiteral("bw"));
    request.Scale = percent.value_or(100) / 100.0;
    request.Fit = fit;
    request.MapScale = static_cast<int>(mapScale.value_or(settingsMapScale));

    return Cli::Guarded([&] {
        if (profile)
            ProfileFile::Read(*profile, request.Colors);
        TNetworkDocument doc = NetworkFile::Read(input);

        // The frame the file's positions were laid out in, as the document window derives it
        // on opening; a map scale of its own rescales them.
        TSchemaFrame frame{SchemaFactor(settingsMapScale), doc.Settings.OX, doc.Settings.OY};
        if (doc.Version >= 3)
            SchemaPositions::DeriveOrigin(*doc.Mine, frame);
        SchemaPositions::ChangeFactor(*doc.Mine, frame, SchemaFactor(request.MapScale));
        request.Origin = QPointF(frame.OX, frame.OY);

        TSchemaScene scene(*doc.Mine);
        scene.SetDrawingOrder(doc.BranchOrder);
        const TExportedPicture picture = PictureExport::Write(output, *format, scene, request, options);
        const QByteArray json = objects ? DrawnObjectsJson::Encode(picture.Drawn, picture.Size, picture.Scale) : QByteArray();
        if (objects) {
            try {
                WriteFileAtomically(*objects, json);
            } catch (...) {
                // A picture without the list it was asked with is no result.
                QFile::remove(output);
                throw;
            }
        }
        return kExitOk;
    });
}
