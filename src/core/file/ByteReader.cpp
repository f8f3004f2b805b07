#include "core/file/ByteReader.h"

#include "core/file/Cp1251.h"
#include "core/file/FileError.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <type_traits>

ByteReader::ByteReader(QByteArrayView data)
    : data_(reinterpret_cast<const uint8_t*>(data.data())), size_(data.size())
{
}

ByteReader::ByteReader(const char* data, qsizetype size)
    : data_(reinterpret_cast<const uint8_t*>(data)), size_(size < 0 ? 0 : size)
{
}

const uint8_t* ByteReader::take(qsizetype n)
{
    if (n < 0)
        throw EFileError(fekMalformed, QStringLiteral("Negative length %1 at offset %2").arg(n).arg(pos_));
    if (n > remaining())
        throw EFileError(fekTruncated, QStringLiteral("Read of %1 bytes at offset %2 runs past the end of the data (%3 bytes)")
                                           .arg(n).arg(pos_).arg(size_));
    const uint8_t* p = data_ + pos_;
    pos_ += n;
    return p;
}

namespace {
template <typename T>
T loadLE(const uint8_t* p)
{
    using U = std::make_unsigned_t<T>;
    U v = 0;
    for (size_t i = sizeof(T); i-- > 0;)
        v = static_cast<U>((v << 8) | p[i]);
    return static_cast<T>(v);
}
}  // namespace

uint8_t ByteReader::u8() { return *take(1); }
bool ByteReader::boolean() { return u8() != 0; }
int16_t ByteReader::i16() { return loadLE<int16_t>(take(2)); }
uint16_t ByteReader::u16() { return loadLE<uint16_t>(take(2)); }
int32_t ByteReader::i32() { return loadLE<int32_t>(take(4)); }
uint32_t ByteReader::u32() { return loadLE<uint32_t>(take(4)); }
float ByteReader::f32() { return std::bit_cast<float>(loadLE<uint32_t>(take(4))); }
double ByteReader::f64() { return std::bit_cast<double>(loadLE<uint64_t>(take(8))); }
Extended80 ByteReader::ext80() { return Extended80::fromBytes(take(10)); }

QByteArray ByteReader::bytes(qsizetype n)
{
    const uint8_t* p = take(n);
    return QByteArray(reinterpret_cast<const char*>(p), n);
}

void ByteReader::skip(qsizetype n) { take(n); }

QString ByteReader::string()
{
    const int32_t n = i32();
    if (n <= 0)
        return QString();
    const uint8_t* p = take(n);
    return fromCp1251(reinterpret_cast<const char*>(p), static_cast<size_t>(n));
}

QUuid ByteReader::guid()
{
    const uint8_t* p = take(16);
    return QUuid(loadLE<uint32_t>(p), loadLE<uint16_t>(p + 4), loadLE<uint16_t>(p + 6),
                 p[8], p[9], p[10], p[11], p[12], p[13], p[14], p[15]);
}

int32_t ByteReader::count(int32_t minRecordSize)
{
    const qsizetype at = pos_;
    const int32_t n = i32();
    if (n < 0)
        throw EFileError(fekMalformed, QStringLiteral("Negative record count %1 at offset %2").arg(n).arg(at));
    if (static_cast<int64_t>(n) * std::max<int64_t>(minRecordSize, 0) > static_cast<int64_t>(remaining()))
        throw EFileError(fekTruncated, QStringLiteral("Record count %1 at offset %2 exceeds the data left (%3 bytes)")
                                           .arg(n).arg(at).arg(remaining()));
    return n;
}

double ByteReader::finite(double v)
{
    if (!std::isfinite(v))
        throw EFileError(fekMalformed, QStringLiteral("Number out of range"));
    return v;
}
