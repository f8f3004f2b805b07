#pragma once

// "Экспорт..." of the schema window: the save dialog, then the export dialog, which draws the
// schema through a context of its own and writes the file.

#include "render/export/PictureExport.h"

#include <QStringList>

#include <functional>

class TShema2DForm;
class TViewGeometry;

namespace SchemaExport {

inline const QString kUnknownExtension = QStringLiteral("Указано неизвестное расширение файла");

// The save dialog's filters: bitmap, JPEG, metafile, then PNG, SVG and PDF.
QStringList Filters();
// The format a chosen file name asks for (any case); none for an extension not offered.
std::optional<TPictureFormat> FormatOf(const QString& path);
// The folder the save dialog opens in: the last one chosen, at first "Images" beside the
// program's folder when it exists.
QString Folder();

// The window's drawing as a picture request (whole schema, scale 1), and the part it shows.
TSchemaPictureRequest RequestOf(const TSchemaDrawing& drawing);
TVisiblePart VisibleOf(const TViewGeometry& view);

// After the save dialog: the export dialog for the chosen file, or, for an extension none of
// the formats has, the refusal. Returns whether the export dialog was shown.
bool Export(TShema2DForm& window, const QString& path, const std::function<void(int)>& help);

// The whole command; help opens a help context.
void Run(TShema2DForm& window, const std::function<void(int)>& help);

}  // namespace SchemaExport
