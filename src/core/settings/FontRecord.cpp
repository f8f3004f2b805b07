#include "core/settings/FontRecord.h"

#include "core/file/ByteReader.h"
#include "core/file/ByteWriter.h"
#include "core/file/Cp1251.h"

namespace FontRecord {

QByteArray Encode(const TFont2D& font)
{
    const QByteArray name = toCp1251(font.Name).left(TFont2D::kMaxNameLength);
    ByteWriter w;
    w.u8(quint8(name.size()));
    w.bytes(name);
    w.zeros(24 - w.size());
    w.i32(font.Size);
    w.u8(font.Style);
    w.zeros(3);
    w.u32(font.Color);
    return w.data();
}

std::optional<TFont2D> Decode(const QByteArray& record)
{
    if (record.size() != kSize)
        return std::nullopt;
    ByteReader r(record);
    const int length = r.u8();
    if (length > TFont2D::kMaxNameLength)
        return std::nullopt;
    TFont2D font;
    font.Name = fromCp1251(r.bytes(length));
    r.skip(24 - r.position());
    font.Size = r.i32();
    font.Style = r.u8();
    r.skip(3);
    font.Color = r.u32();
    if (!TFont2D::SizeUsable(font.Size))
        return std::nullopt;
    return font;
}

}  // namespace FontRecord
