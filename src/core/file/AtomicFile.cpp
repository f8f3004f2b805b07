#include "core/file/AtomicFile.h"

#include "core/file/FileError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
[[noreturn]] void fail(const QString& text, const QString& path)
{
    throw EFileError(fekIo, text.arg(FileNameOnly(path)));
}
}  // namespace

QString FileNameOnly(const QString& path) { return QFileInfo(path).fileName(); }

void WriteFileAtomically(const QString& path, const QByteArray& data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail(QStringLiteral("Ошибка при создании файла %1"), path);
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        fail(QStringLiteral("Ошибка при записи данных в файл %1"), path);
    }
    if (!file.commit())
        fail(QStringLiteral("Ошибка при записи данных в файл %1"), path);
}

QByteArray ReadWholeFile(const QString& path)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Ошибка при открытии файла %1"), path);
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("Ошибка при чтении данных из файла %1"), path);
    return data;
}
