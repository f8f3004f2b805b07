#include "render/export/PngFile.h"

#include "core/file/AtomicFile.h"
#include "core/file/FileError.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

namespace PngFile {

QByteArray Encode(const QImage& image)
{
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        return {};
    return bytes;
}

void Write(const QString& path, const QImage& image)
{
    const QByteArray bytes = Encode(image);
    if (bytes.isEmpty())
        throw EFileError(fekIo, QStringLiteral("Ошибка при записи данных в файл %1").arg(FileNameOnly(path)));
    WriteFileAtomically(path, bytes);
}

}  // namespace PngFile
