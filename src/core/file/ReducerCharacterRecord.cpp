#include "core/file/ReducerCharacterRecord.h"

#include "core/equipment/ReducerCharacter.h"
#include "core/file/ByteReader.h"
#include "core/file/ByteWriter.h"
#include "core/file/FileError.h"

#include <cstdint>

namespace ReducerCharacterRecord {

void Read(ByteReader& reader, TReducerCharacter& character)
{
    const QString name = reader.string();
    const int32_t nP = reader.i32();
    const int32_t nQ = reader.i32();
    if (nP < 0 || nQ < 0)
        throw EFileError(fekMalformed, QStringLiteral("Negative reducer characteristic size %1 x %2").arg(nP).arg(nQ));
    // Every size is bounded by the bytes left before the product is formed, so nothing
    // overflows and nothing is allocated for data that is not there.
    const int64_t doubles = reader.remaining() / 8;
    if (nP > doubles || nQ > doubles ||
        2 * int64_t{nP} + nQ + int64_t{nP} * nQ > doubles)
        throw EFileError(fekTruncated, QStringLiteral("Reducer characteristic %1 x %2 exceeds the data left").arg(nP).arg(nQ));

    TReducerCharacter read;
    read.Name = name;
    read.Resize(nP, nQ);
    for (int i = 0; i < nP; ++i)
        read.SetInlet(i, reader.f64());
    for (int i = 0; i < nP; ++i)
        read.SetLocking(i, reader.f64());
    for (int j = 0; j < nQ; ++j)
        read.SetFlow(j, reader.f64());
    for (int i = 0; i < nP; ++i)
        for (int j = 0; j < nQ; ++j)
            read.SetOutlet(i, j, reader.f64());
    character = std::move(read);
}

void Write(ByteWriter& writer, const TReducerCharacter& c)
{
    writer.string(c.Name);
    writer.i32(c.NP());
    writer.i32(c.NQ());
    for (int i = 0; i < c.NP(); ++i)
        writer.f64(c.Inlet(i));
    for (int i = 0; i < c.NP(); ++i)
        writer.f64(c.Locking(i));
    for (int j = 0; j < c.NQ(); ++j)
        writer.f64(c.Flow(j));
    for (int i = 0; i < c.NP(); ++i)
        for (int j = 0; j < c.NQ(); ++j)
            writer.f64(c.Outlet(i, j));
}

}  // namespace ReducerCharacterRecord
