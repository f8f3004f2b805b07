#include "core/file/ByteWriter.h"

#include "core/file/Cp1251.h"

#include <bit>
#include <limits>
#include <stdexcept>

namespace {
template <typename U>
void storeLE(char* p, U v)
{
    for (size_t i = 0; i < sizeof(U); ++i)
        p[i] = static_cast<char>(static_cast<uint8_t>(v >> (8 * i)));
}

template <typename U>
void appendLE(QByteArray& buf, U v)
{
    char tmp[sizeof(U)];
    storeLE(tmp, v);
    buf.append(tmp, sizeof(U));
}
}  // namespace

void ByteWriter::u8(uint8_t v) { buf_.append(static_cast<char>(v)); }
void ByteWriter::boolean(bool v) { u8(v ? 1 : 0); }
void ByteWriter::i16(int16_t v) { appendLE(buf_, static_cast<uint16_t>(v)); }
void ByteWriter::u16(uint16_t v) { appendLE(buf_, v); }
void ByteWriter::i32(int32_t v) { appendLE(buf_, static_cast<uint32_t>(v)); }
void ByteWriter::u32(uint32_t v) { appendLE(buf_, v); }
void ByteWriter::f32(float v) { appendLE(buf_, std::bit_cast<uint32_t>(v)); }
void ByteWriter::f64(double v) { appendLE(buf_, std::bit_cast<uint64_t>(v)); }

void ByteWriter::ext80(const Extended80& v)
{
    uint8_t tmp[10];
    v.toBytes(tmp);
    buf_.append(reinterpret_cast<const char*>(tmp), sizeof tmp);
}

void ByteWriter::bytes(QByteArrayView v) { buf_.append(v); }

void ByteWriter::zeros(qsizetype n)
{
    if (n > 0)
        buf_.append(n, '\0');
}

void ByteWriter::string(const QString& v)
{
    const QByteArray encoded = toCp1251(v);
    if (encoded.size() > std::numeric_limits<int32_t>::max())
        throw std::length_error("string too long for the file");
    i32(static_cast<int32_t>(encoded.size()));
    buf_.append(encoded);
}

void ByteWriter::guid(const QUuid& v)
{
    char tmp[16];
    storeLE(tmp, static_cast<uint32_t>(v.data1));
    storeLE(tmp + 4, static_cast<uint16_t>(v.data2));
    storeLE(tmp + 6, static_cast<uint16_t>(v.data3));
    for (int i = 0; i < 8; ++i)
        tmp[8 + i] = static_cast<char>(v.data4[i]);
    buf_.append(tmp, sizeof tmp);
}

void ByteWriter::patchI32(qsizetype offset, int32_t v)
{
    if (offset < 0 || offset > buf_.size() - 4)
        throw std::out_of_range("patchI32 outside the written data");
    storeLE(buf_.data() + offset, static_cast<uint32_t>(v));
}
