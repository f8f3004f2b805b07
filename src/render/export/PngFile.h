#pragma once

// Pictures saved as PNG: encoded in memory first, then written atomically, so a failed save
// never leaves a half-written picture or spoils the previous one.

#include <QByteArray>
#include <QString>

class QImage;

namespace PngFile {

// The PNG bytes of the image; empty when it cannot be encoded (a null image).
QByteArray Encode(const QImage& image);

// Encodes and writes the picture. Throws EFileError "Ошибка при записи данных в файл %s" when
// it cannot be encoded, and the errors of WriteFileAtomically.
void Write(const QString& path, const QImage& image);

}  // namespace PngFile
