#pragma once

#include "core/file/FileError.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class TReducerCharacter;

// A reducer characteristic file (*.rdc): a 16-byte mark, then the characteristic record as a
// reducer device carries it in the network file.
namespace ReducerFile {

inline const QString kExtension = QStringLiteral(".rdc");

// True when the bytes begin with the mark of a reducer file.
bool HasMark(QByteArrayView bytes);

// The characteristic the bytes hold. fileName names the file in the messages. Throws
// ENotReducerFile when the mark is missing, EFileError "Ошибка при чтении данных из файла %s"
// when the record is damaged or holds no pressure or flow range.
TReducerCharacter Decode(QByteArrayView bytes, const QString& fileName);
QByteArray Encode(const TReducerCharacter& character);

TReducerCharacter Read(const QString& path);
// Replaces the file only when the whole of it was written.
void Write(const QString& path, const TReducerCharacter& character);

}  // namespace ReducerFile

// A file that is not a reducer characteristic: "Файл %s не содержит характеристик редуктора".
// Folder scans skip such files without a word.
class ENotReducerFile : public EFileError {
public:
    explicit ENotReducerFile(const QString& fileName);
};
