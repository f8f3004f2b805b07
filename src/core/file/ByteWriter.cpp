#include "core/file/ByteWriter.h"

#include "core/file/Cp1251.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace {
template <typename U>
void storeLE(char* p, U v)
{
    for (size_t i = 0; i < sizeof(U); ++i)
        p[i] = static_cast<char>(static_cast<uint8_t>(v >> (8 * i)));
}

// The first room a writer takes; it doubles from there.
constexpr qsizetype kFirstRoom = 256;
}  // namespace

char* ByteWriter::extend(qsizetype n)
{
    if (buf_.size() - used_ < n)
        buf_.resize(std::max({used_ + n, 2 * buf_.size(), kFirstRoom}));
    char* at = buf_.data() + used_;
    used_ += n;
    return at;
}

const QByteArray& ByteWriter::data() const
{
    if (buf_.size() != used_)
        buf_.truncate(used_);
    return buf_;
}

void ByteWriter::u8(uint8_t v) { *extend(1) = static_cast<char>(v); }
void ByteWriter::boolean(bool v) { u8(v ? 1 : 0); }
void ByteWriter::i16(int16_t v) { storeLE(extend(2), static_cast<uint16_t>(v)); }
void ByteWriter::u16(uint16_t v) { storeLE(extend(2), v); }
void ByteWriter::i32(int32_t v) { storeLE(extend(4), static_cast<uint32_t>(v)); }
void ByteWriter::u32(uint32_t v) { storeLE(extend(4), v); }
void ByteWriter::f32(float v) { storeLE(extend(4), std::bit_cast<uint32_t>(v)); }
void ByteWriter::f64(double v) { storeLE(extend(8), std::bit_cast<uint64_t>(v)); }

void ByteWriter::ext80(const Extended80& v)
{
    uint8_t tmp[10];
    v.toBytes(tmp);
    std::memcpy(extend(sizeof tmp), tmp, sizeof tmp);
}

void ByteWriter::bytes(QByteArrayView v)
{
    if (v.isEmpty())
        return;
    // Bytes of this very writer would move while it grows.
    if (v.data() >= buf_.constData() && v.data() < buf_.constData() + buf_.size()) {
        const QByteArray copy = v.toByteArray();
        bytes(copy);
        return;
    }
    std::memcpy(extend(v.size()), v.data(), static_cast<size_t>(v.size()));
}

void ByteWriter::zeros(qsizetype n)
{
    if (n > 0)
        std::memset(extend(n), 0, static_cast<size_t>(n));
}

void ByteWriter::string(const QString& v)
{
    const QByteArray encoded = toCp1251(v);
    if (encoded.size() > std::numeric_limits<int32_t>::max())
        throw std::length_error("string too long for the file");
    i32(static_cast<int32_t>(encoded.size()));
    bytes(encoded);
}

void ByteWriter::guid(const QUuid& v)
{
    char tmp[16];
    storeLE(tmp, static_cast<uint32_t>(v.data1));
    storeLE(tmp + 4, static_cast<uint16_t>(v.data2));
    storeLE(tmp + 6, static_cast<uint16_t>(v.data3));
    for (int i = 0; i < 8; ++i)
        tmp[8 + i] = static_cast<char>(v.data4[i]);
    std::memcpy(extend(sizeof tmp), tmp, sizeof tmp);
}

void ByteWriter::patchI32(qsizetype offset, int32_t v)
{
    if (offset < 0 || offset > used_ - 4)
        throw std::out_of_range("patchI32 outside the written data");
    storeLE(buf_.data() + offset, static_cast<uint32_t>(v));
}
