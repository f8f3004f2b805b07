#pragma once

// The 36-byte font record of the schema's fonts in the settings store: bytes 0-20 the name as a
// length byte and up to 20 Windows-1251 characters, 21-23 unused, 24-27 the size in points
// (32-bit), byte 28 the style bits, 29-31 unused, 32-35 the colour; little-endian.

#include "core/settings/Profile.h"

#include <QByteArray>

#include <optional>

namespace FontRecord {

inline constexpr int kSize = 36;

// A name longer than 20 bytes in Windows-1251 is cut to 20 (the record has no room for more).
QByteArray Encode(const TFont2D& font);
// Fails for a record of another size, a name length above 20 or an unusable size.
std::optional<TFont2D> Decode(const QByteArray& record);

}  // namespace FontRecord
