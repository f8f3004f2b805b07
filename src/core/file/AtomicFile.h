#pragma once

#include <QByteArray>
#include <QString>

// The file name without its folder, as error messages show it.
QString FileNameOnly(const QString& path);

// Writes data to a temporary file beside path and renames it over path only when everything
// was written, so a failed save leaves the previous file as it was. Throws EFileError
// "Ошибка при создании файла %s" or "Ошибка при записи данных в файл %s".
void WriteFileAtomically(const QString& path, const QByteArray& data);

// The whole content of a file. Throws EFileError "Ошибка при открытии файла %s" when it cannot
// be opened and "Ошибка при чтении данных из файла %s" when reading fails.
QByteArray ReadWholeFile(const QString& path);
