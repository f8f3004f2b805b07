#pragma once

#include "core/file/ByteSource.h"
#include "core/file/Extended80.h"
#include "core/file/RecentTexts.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QUuid>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>

// Little-endian reader over bytes that come from outside (files, the clipboard). Every read
// is checked against the bytes left and throws EFileError (fekTruncated) instead of running
// past the end; lengths and counts are validated before anything is allocated for them.
// The reader does not own the bytes: they must outlive it (a reader built from a temporary
// QByteArray is only usable within the same expression).
//
// A streamed reader takes a declared number of bytes from a ByteSource through a window of
// chunkSize bytes, so the whole data is never held; a field that straddles two chunks is
// gathered whole. Its checks are those of a reader over all the bytes at once: remaining()
// is the declared size minus what was consumed.
class ByteReader {
public:
    explicit ByteReader(QByteArrayView data);
    ByteReader(const char* data, qsizetype size);
    ByteReader(ByteSource& source, qsizetype declaredSize, qsizetype chunkSize);
    ~ByteReader();
    ByteReader(const ByteReader&) = delete;
    ByteReader& operator=(const ByteReader&) = delete;

    uint8_t u8() { return *take(1); }
    bool boolean() { return u8() != 0; }  // any nonzero byte is true
    int16_t i16() { return load<int16_t>(take(2)); }
    uint16_t u16() { return load<uint16_t>(take(2)); }
    int32_t i32() { return load<int32_t>(take(4)); }
    uint32_t u32() { return load<uint32_t>(take(4)); }
    float f32() { return std::bit_cast<float>(load<uint32_t>(take(4))); }
    double f64() { return std::bit_cast<double>(load<uint64_t>(take(8))); }
    Extended80 ext80();
    QByteArray bytes(qsizetype n);
    // Fills a fixed block (reserved bytes kept verbatim) without allocating.
    template <std::size_t N>
    void read(std::array<char, N>& block)
    {
        std::memcpy(block.data(), take(static_cast<qsizetype>(N)), N);
    }
    void skip(qsizetype n);
    // int32 byte count, then that many Windows-1251 bytes; a count <= 0 is the empty string.
    // A short text read before shares that one's characters.
    QString string();
    // The 16 bytes of a GUID in its in-memory order (Data1, Data2, Data3 little-endian).
    QUuid guid();
    // int32 number of records that follow. Throws when it is negative or when that many
    // records of at least minRecordSize bytes each cannot fit into the bytes left.
    int32_t count(int32_t minRecordSize);

    qsizetype remaining() const { return total_ - base_ - pos_; }
    qsizetype position() const { return base_ + pos_; }
    bool atEnd() const { return remaining() <= 0; }

    // Returns v, or throws EFileError (fekMalformed) for an infinity or NaN read from a
    // field where no valid file has one.
    static double finite(double v);

private:
    // Checks that n more bytes exist, advances past them and returns where they begin.
    // Inline: it runs for every field of every record; the failure path stays out of line.
    const uint8_t* take(qsizetype n)
    {
        if (n < 0 || n > size_ - pos_) [[unlikely]]
            refill(n);
        const uint8_t* p = data_ + pos_;
        pos_ += n;
        return p;
    }
    // Makes n bytes from pos_ on present in the window, or throws as take would.
    void refill(qsizetype n);
    [[noreturn]] void failTake(qsizetype n) const;

    // Little-endian load, whatever the host's order (the compiler makes it one move on x86).
    template <typename T>
    static T load(const uint8_t* p)
    {
        using U = std::make_unsigned_t<T>;
        U v = 0;
        for (std::size_t i = sizeof(T); i-- > 0;)
            v = static_cast<U>((v << 8) | p[i]);
        return static_cast<T>(v);
    }

    const uint8_t* data_;
    qsizetype size_;     // bytes present from data_ on
    qsizetype pos_ = 0;  // within data_
    qsizetype base_ = 0;  // position of data_[0] in the whole data
    qsizetype total_;     // the whole data's (declared) size

    // Streaming only: the window data_ points into.
    ByteSource* source_ = nullptr;
    std::unique_ptr<uint8_t[]> window_;
    qsizetype capacity_ = 0;
    qsizetype chunk_ = 0;

    std::unique_ptr<TRecentTexts> recentTexts_;  // made at the first short text
};
