#pragma once

// The schema written to a picture file of any of the formats: PNG, Windows bitmap (1, 4, 8,
// 16 or 24 bits), JPEG, enhanced metafile, SVG and PDF. Bitmaps and JPEG are drawn and
// written in bands, so their size is only capped on each side; every file is written
// atomically: it appears whole or not at all, and a file of that name before stays as it was.

#include "render/export/JpegFile.h"
#include "render/export/SchemaPicture.h"

#include <QSize>
#include <QString>

#include <array>
#include <optional>

class TSchemaScene;

enum class TPictureFormat { Png, Bmp, Jpeg, Emf, Svg, Pdf };

struct TPictureOptions {
    // Bits per pixel of a bitmap: 1, 4, 8, 16 or 24.
    int BmpBits = 8;
    TJpegOptions Jpeg;
    // Rows drawn at a time for bitmaps and JPEG; 0 chooses by the width (BandRows).
    int BandRows = 0;
};

struct TExportedPicture {
    QSize Size;
    double Scale = 1;
    TDrawnObjects Drawn;
};

namespace PictureExport {

// The export scale's list (shown as round(100 × value) "%") and its limits in per cent: a
// mistyped scale cannot ask for gigabytes.
inline constexpr std::array<double, 9> kScales{6, 5, 4, 3, 2, 1.5, 1, 0.5, 0.25};
inline constexpr int kMinPercent = 1;
inline constexpr int kMaxPercent = 3000;

// A typed export scale: blanks around it and one "%" are ignored, the number is rounded to a
// whole per cent; none when empty, not a number, or outside 1…3000 %.
std::optional<double> ParseScale(const QString& text);

// The size of the picture the file will hold, the one size to show before exporting; none
// when it is too large for the format.
std::optional<QSize> PictureSize(TSchemaScene& scene, const TSchemaPictureRequest& request, TPictureFormat format);

// The format of a file name's extension (.png .bmp .jpg .emf .svg .pdf, in any case); none
// for any other.
std::optional<TPictureFormat> FormatOf(const QString& path);

// The pixels of one band, about: 4 M pixels (16 MB) whatever the width.
int BandRows(int width);

// Draws the schema and writes the file. Throws Exception when the picture is too large,
// EFileError "Ошибка при создании файла %s" or "Ошибка при записи данных в файл %s".
TExportedPicture Write(const QString& path, TPictureFormat format, TSchemaScene& scene,
                       const TSchemaPictureRequest& request, const TPictureOptions& options = {});

}  // namespace PictureExport
