#pragma once

#include "core/equipment/PumpStore.h"

#include <QByteArray>
#include <QString>

#include <memory>

// The text file of one pump model (*.pmp): "[Pump]", the name, the four ranges, then blocks of
// a count line, a line of heads and a line of flows; single-byte code page, CR LF, the point
// as decimal separator whatever the process locale.
namespace PumpFile {

// The largest file the reader takes; a curve of a few dozen points is a few hundred bytes.
constexpr qint64 kMaxFileSize = 4 * 1024 * 1024;
// Flows, heads and ranges beyond this are refused as damage.
constexpr double kMaxValue = kMaxPumpValue;

// The model in the bytes, named as inside the file (trimmed). Throws EFileError "Ошибка при
// чтении файла " + path for a damaged file, and kNotAPumpFile for a file of another kind.
std::unique_ptr<TPumpStore> Decode(const QByteArray& bytes, const QString& path);
QByteArray Encode(const TPumpStore& store);

// Throws EFileError "Отсутствует файл " + path when the file is missing.
std::unique_ptr<TPumpStore> Read(const QString& path);
// Written atomically; any failure throws EFileError "Ошибка при записи файла" + path.
void Write(const TPumpStore& store, const QString& path);

QString NotAPumpFileText(const QString& path);

}  // namespace PumpFile
