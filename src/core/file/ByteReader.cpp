#include "core/file/ByteReader.h"

#include "core/file/Cp1251.h"
#include "core/file/FileError.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <type_traits>

ByteReader::ByteReader(QByteArrayView data)
    : data_(reinterpret_cast<const uint8_t*>(data.data())), size_(data.size()), total_(size_)
{
}

ByteReader::ByteReader(const char* data, qsizetype size)
    : data_(reinterpret_cast<const uint8_t*>(data)), size_(size < 0 ? 0 : size), total_(size_)
{
}

ByteReader::ByteReader(ByteSource& source, qsizetype declaredSize, qsizetype chunkSize)
    : data_(nullptr), size_(0), total_(std::max<qsizetype>(declaredSize, 0)), source_(&source),
      chunk_(std::max<qsizetype>(chunkSize, 1))
{
}

ByteReader::~ByteReader() = default;

void ByteReader::refill(qsizetype n)
{
    if (n < 0 || !source_ || n > remaining())
        failTake(n);
    // The unread bytes move to the front of the window, then the source tops it up.
    const qsizetype kept = size_ - pos_;
    if (kept > 0 && pos_ > 0)
        std::memmove(window_.get(), window_.get() + pos_, static_cast<size_t>(kept));
    base_ += pos_;
    pos_ = 0;
    size_ = kept;
    while (size_ < n) {
        if (size_ == capacity_) {
            // A field longer than a chunk grows the window as its bytes arrive, so a length
            // that lies costs nothing until the data backs it.
            const qsizetype grown = std::max(chunk_, std::min(n, capacity_ * 2));
            auto bigger = std::make_unique_for_overwrite<uint8_t[]>(static_cast<size_t>(grown));
            if (size_ > 0)
                std::memcpy(bigger.get(), window_.get(), static_cast<size_t>(size_));
            window_ = std::move(bigger);
            capacity_ = grown;
            data_ = window_.get();
        }
        const qsizetype want = std::min(capacity_ - size_, total_ - base_ - size_);
        const qsizetype got = source_->ReadSome(reinterpret_cast<char*>(window_.get() + size_), want);
        if (got <= 0 || got > want)
            throw EFileError(fekTruncated, QStringLiteral("The data ends at offset %1").arg(base_ + size_));
        size_ += got;
    }
}

void ByteReader::failTake(qsizetype n) const
{
    if (n < 0)
        throw EFileError(fekMalformed, QStringLiteral("Negative length %1 at offset %2").arg(n).arg(position()));
    throw EFileError(fekTruncated, QStringLiteral("Read of %1 bytes at offset %2 runs past the end of the data (%3 bytes)")
                                       .arg(n).arg(position()).arg(total_));
}

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
    if (static_cast<size_t>(n) > TRecentTexts::kMaxBytes)
        return fromCp1251(reinterpret_cast<const char*>(p), static_cast<size_t>(n));
    if (!recentTexts_)
        recentTexts_ = std::make_unique<TRecentTexts>();
    return recentTexts_->Decode(reinterpret_cast<const char*>(p), static_cast<size_t>(n));
}

QUuid ByteReader::guid()
{
    const uint8_t* p = take(16);
    return QUuid(load<uint32_t>(p), load<uint16_t>(p + 4), load<uint16_t>(p + 6),
                 p[8], p[9], p[10], p[11], p[12], p[13], p[14], p[15]);
}

int32_t ByteReader::count(int32_t minRecordSize)
{
    const qsizetype at = position();
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
