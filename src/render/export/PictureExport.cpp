#include "render/export/PictureExport.h"

#include "core/file/AtomicFile.h"
#include "core/file/FileError.h"
#include "core/model/Errors.h"
#include "render/export/BmpFile.h"
#include "render/export/EmfPaintDevice.h"
#include "render/export/PngFile.h"

#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDpi = 96;
const QString kProgram = QStringLiteral("Ирвата");
const QString kTitle = QStringLiteral("Технологическая схема");

[[noreturn]] void Fail(const QString& text, const QString& path)
{
    throw EFileError(fekIo, text.arg(FileNameOnly(path)));
}

// A file written in place of path only when everything went well.
class TPictureFile {
public:
    explicit TPictureFile(const QString& path) : path_(path), file_(path)
    {
        if (!file_.open(QIODevice::WriteOnly))
            Fail(QStringLiteral("Ошибка при создании файла %1"), path_);
    }
    QIODevice& Device() { return file_; }
    void Commit(bool written)
    {
        if (!written || file_.error() != QFileDevice::NoError) {
            file_.cancelWriting();
            Fail(QStringLiteral("Ошибка при записи данных в файл %1"), path_);
        }
        if (!file_.commit())
            Fail(QStringLiteral("Ошибка при записи данных в файл %1"), path_);
    }

private:
    QString path_;
    QSaveFile file_;
};

// Draws the picture band by band, top down or bottom up, handing each band over.
template <typename Sink>
void DrawBands(TSchemaScene& scene, const TPicturePlan& plan, int rows, bool bottomUp, TDrawnObjects* drawn, Sink&& sink)
{
    const int height = plan.Size.height();
    QImage band;
    for (int done = 0; done < height;) {
        const int count = std::min(rows, height - done);
        const int top = bottomUp ? height - done - count : done;
        if (band.height() != count)
            band = QImage(plan.Size.width(), count, QImage::Format_RGB32);
        if (band.isNull())
            throw std::bad_alloc();
        SchemaPicture::PaintBand(band, top, scene, plan, drawn);
        sink(band);
        done += count;
    }
}

void WriteBmp(TPictureFile& file, TSchemaScene& scene, const TPicturePlan& plan, int rows, int bits,
              const TColors2D& colours, TDrawnObjects* drawn)
{
    TBmpWriter writer(file.Device(), plan.Size, bits, BmpFile::Palette(bits, colours));
    DrawBands(scene, plan, rows, true, drawn, [&writer](const QImage& band) {
        for (int y = band.height() - 1; y >= 0 && writer.Ok(); --y)
            writer.WriteRow(reinterpret_cast<const QRgb*>(band.constScanLine(y)));
    });
    file.Commit(writer.Ok());
}

void WriteJpeg(TPictureFile& file, TSchemaScene& scene, const TPicturePlan& plan, int rows,
               const TJpegOptions& options, TDrawnObjects* drawn)
{
    TJpegWriter writer(file.Device(), plan.Size, options);
    DrawBands(scene, plan, rows, false, drawn, [&writer](const QImage& band) {
        writer.WriteRows(band.constBits(), band.bytesPerLine(), band.height());
    });
    file.Commit(writer.Finish());
}

void WriteEmf(TPictureFile& file, TSchemaScene& scene, const TPicturePlan& plan, TDrawnObjects* drawn)
{
    TEmfPaintDevice device(plan.Size, kProgram, kTitle);
    {
        QPainter painter(&device);
        SchemaPicture::Paint(painter, scene, plan, drawn);
    }
    const QByteArray bytes = device.Bytes();
    file.Commit(file.Device().write(bytes) == bytes.size());
}

void WriteSvg(TPictureFile& file, TSchemaScene& scene, const TPicturePlan& plan, TDrawnObjects* drawn)
{
    QSvgGenerator svg;
    svg.setOutputDevice(&file.Device());
    svg.setSize(plan.Size);
    svg.setViewBox(QRect(QPoint(0, 0), plan.Size));
    svg.setResolution(kDpi);
    svg.setTitle(kTitle);
    svg.setDescription(kProgram);
    QPainter painter;
    if (!painter.begin(&svg))
        file.Commit(false);
    SchemaPicture::Paint(painter, scene, plan, drawn);
    file.Commit(painter.end());
}

void WritePdf(TPictureFile& file, TSchemaScene& scene, const TPicturePlan& plan, TDrawnObjects* drawn)
{
    QPdfWriter pdf(&file.Device());
    pdf.setCreator(kProgram);
    pdf.setTitle(kTitle);
    pdf.setResolution(kDpi);
    // One page exactly the picture's size, at 96 pixels to the inch.
    const QSizeF points = QSizeF(plan.Size) * 72.0 / kDpi;
    pdf.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&pdf))
        file.Commit(false);
    SchemaPicture::Paint(painter, scene, plan, drawn);
    file.Commit(painter.end());
}

}  // namespace

namespace PictureExport {

std::optional<TPictureFormat> FormatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return TPictureFormat::Png;
    if (suffix == QLatin1String("bmp"))
        return TPictureFormat::Bmp;
    if (suffix == QLatin1String("jpg"))
        return TPictureFormat::Jpeg;
    if (suffix == QLatin1String("emf"))
        return TPictureFormat::Emf;
    if (suffix == QLatin1String("svg"))
        return TPictureFormat::Svg;
    if (suffix == QLatin1String("pdf"))
        return TPictureFormat::Pdf;
    return std::nullopt;
}

std::optional<double> ParseScale(const QString& text)
{
    QString number = text.trimmed();
    if (number.endsWith(QLatin1Char('%')))
        number = number.chopped(1).trimmed();
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double percent = std::round(value);
    if (percent < kMinPercent || percent > kMaxPercent)
        return std::nullopt;
    return percent / 100.0;
}

std::optional<QSize> PictureSize(TSchemaScene& scene, const TSchemaPictureRequest& request, TPictureFormat format)
{
    const TViewGeometry view = SchemaPicture::View(scene, request);
    return SchemaPicture::Size(view, request, format != TPictureFormat::Png);
}

int BandRows(int width) { return std::clamp(4 * 1024 * 1024 / std::max(1, width), 16, 4096); }

TExportedPicture Write(const QString& path, TPictureFormat format, TSchemaScene& scene,
                       const TSchemaPictureRequest& request, const TPictureOptions& options)
{
    TExportedPicture result;
    if (format == TPictureFormat::Png) {
        TSchemaPicture picture = SchemaPicture::Render(scene, request);
        PngFile::Write(path, picture.Image);
        result.Size = picture.Image.size();
        result.Scale = picture.Scale;
        result.Drawn = std::move(picture.Drawn);
        return result;
    }

    TSchemaPictureRequest adjusted = request;
    if (format == TPictureFormat::Bmp) {
        // Few colours take clean edges: black on white for one bit, no smoothing for four.
        if (options.BmpBits == 1)
            adjusted.Drawing.BlackWhite = true;
        if (options.BmpBits == 4)
            adjusted.Drawing.Antialiasing = false;
    }
    if (format == TPictureFormat::Bmp && !BmpFile::BitsSupported(options.BmpBits))
        throw Exception(QStringLiteral("Точка рисунка BMP не может занимать %1 бит").arg(options.BmpBits));
    // Bitmaps and JPEG are drawn in bands and vector pictures hold no pixels: for them only
    // each side is capped.
    const TPicturePlan plan = SchemaPicture::Plan(scene, adjusted, /*banded=*/true);
    result.Size = plan.Size;
    result.Scale = plan.Scale;

    const int rows = options.BandRows > 0 ? options.BandRows : BandRows(plan.Size.width());
    TPictureFile file(path);
    switch (format) {
    case TPictureFormat::Bmp:
        WriteBmp(file, scene, plan, rows, options.BmpBits, request.Drawing.Colors, &result.Drawn);
        break;
    case TPictureFormat::Jpeg:
        WriteJpeg(file, scene, plan, rows, options.Jpeg, &result.Drawn);
        break;
    case TPictureFormat::Emf:
        WriteEmf(file, scene, plan, &result.Drawn);
        break;
    case TPictureFormat::Svg:
        WriteSvg(file, scene, plan, &result.Drawn);
        break;
    case TPictureFormat::Pdf:
        WritePdf(file, scene, plan, &result.Drawn);
        break;
    case TPictureFormat::Png:
        break;
    }
    return result;
}

}  // namespace PictureExport
