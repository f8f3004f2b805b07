#include "core/equipment/ReducerFile.h"

#include "core/equipment/ReducerCharacter.h"
#include "core/file/AtomicFile.h"
#include "core/file/ByteReader.h"
#include "core/file/ByteWriter.h"
#include "core/file/ReducerCharacterRecord.h"

#include <QUuid>

namespace {

// {9895D0F0-6A76-4DFA-B35C-A04D1C024FB1}, stored in its in-memory layout.
const QUuid kMark(0x9895D0F0, 0x6A76, 0x4DFA, 0xB3, 0x5C, 0xA0, 0x4D, 0x1C, 0x02, 0x4F, 0xB1);
constexpr qsizetype kMarkSize = 16;

QString ReadErrorText(const QString& fileName)
{
    return QStringLiteral("Ошибка при чтении данных из файла %1").arg(fileName);
}

}  // namespace

ENotReducerFile::ENotReducerFile(const QString& fileName)
    : EFileError(fekMalformed, QStringLiteral("Файл %1 не содержит характеристик редуктора").arg(fileName))
{
}

namespace ReducerFile {

bool HasMark(QByteArrayView bytes)
{
    if (bytes.size() < kMarkSize)
        return false;
    ByteReader r(bytes.first(kMarkSize));
    return r.guid() == kMark;
}

TReducerCharacter Decode(QByteArrayView bytes, const QString& fileName)
{
    if (!HasMark(bytes))
        throw ENotReducerFile(fileName);
    TReducerCharacter c;
    try {
        ByteReader r(bytes.sliced(kMarkSize));
        // The record checks every size against the bytes left before it allocates.
        ReducerCharacterRecord::Read(r, c);
    } catch (const EFileError&) {
        throw EFileError(fekTruncated, ReadErrorText(fileName));
    }
    // A table without a pressure or flow range has nothing to interpolate in.
    if (c.NP() <= 0 || c.NQ() <= 0)
        throw EFileError(fekMalformed, ReadErrorText(fileName));
    return c;
}

QByteArray Encode(const TReducerCharacter& character)
{
    ByteWriter w;
    w.guid(kMark);
    ReducerCharacterRecord::Write(w, character);
    return w.data();
}

TReducerCharacter Read(const QString& path)
{
    return Decode(ReadWholeFile(path), FileNameOnly(path));
}

void Write(const QString& path, const TReducerCharacter& character)
{
    WriteFileAtomically(path, Encode(character));
}

}  // namespace ReducerFile
