#pragma once

// The schema written to a picture file of any of the formats: PNG, Windows bitmap (1, 4, 8,
// 16 or 24 bits), JPEG, enhanced metafile, SVG and PDF. Bitmaps and JPEG are drawn and
// written in bands, so their size is only capped on each side; every file is written
// atomically: it appears whole or not at all, and a file of that name before stays as it was.

#include "render/export/JpegFile.h"
#include "render/export/SchemaPicture.h"

#include <QSize>
#include <QString>

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
