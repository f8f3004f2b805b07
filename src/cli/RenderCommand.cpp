#include "CliSupport.h"
#include "Commands.h"
#include "DrawingOptions.h"

#include "core/file/AtomicFile.h"
#include "render/export/DrawnObjectsJson.h"
#include "render/export/BmpFile.h"
#include "render/export/PictureExport.h"
#include "render/export/SchemaPicture.h"
#include "render/schema2d/SchemaScene.h"
#include "render/schema2d/ZoomSteps.h"

#include <QFile>
#include <QRegularExpression>

#include <optional>

namespace {

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
                     Cli::DrawingValueOptions(true) + QStringList{QStringLiteral("scale"), QStringLiteral("fit"),
                                                                  QStringLiteral("objects"), QStringLiteral("bits"),
                                                                  QStringLiteral("quality")},
                     Cli::DrawingFlags(true) + QStringList{QStringLiteral("progressive"), QStringLiteral("grey")});
    if (!a.Ok())
        return Cli::UsageError(a.Error());

    QString error;
    std::optional<Cli::TDrawingChoice> choice = Cli::ReadDrawing(a, error);
    const auto percent = a.Integer(QStringLiteral("scale"), 1, ZoomSteps::kMaxPercent);
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
    const auto objects = a.Option(QStringLiteral("objects"));
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (!error.isEmpty() || !choice)
        return Cli::UsageError(error);
    if (a.Positional().size() != 2)
        return Cli::UsageError(QStringLiteral("render takes a network file and an output picture"));
    if (objects && objects->isEmpty())
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

    return Cli::Guarded([&] {
        TNetworkDocument doc = Cli::LoadDrawing(input, *choice);
        TSchemaPictureRequest request;
        request.Drawing = choice->Drawing;
        request.Scale = percent.value_or(100) / 100.0;
        request.Fit = fit;

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
