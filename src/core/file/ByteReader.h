#pragma once

#include "core/file/Extended80.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QUuid>
#include <cstdint>

// Little-endian reader over bytes that come from outside (files, the clipboard). Every read
// is checked against the bytes left and throws EFileError (fekTruncated) instead of running
// past the end; lengths and counts are validated before anything is allocated for them.
// The reader does not own the bytes: they must outlive it (a reader built from a temporary
// QByteArray is only usable within the same expression).
class ByteReader {
public:
    explicit ByteReader(QByteArrayView data);
    ByteReader(const char* data, qsizetype size);

    uint8_t u8();
    bool boolean();  // any nonzero byte is true
    int16_t i16();
    uint16_t u16();
    int32_t i32();
    uint32_t u32();
    float f32();
    double f64();
    Extended80 ext80();
    QByteArray bytes(qsizetype n);
    void skip(qsizetype n);
    // int32 byte count, then that many Windows-1251 bytes; a count <= 0 is the empty string.
    QString string();
    // The 16 bytes of a GUID in its in-memory order (Data1, Data2, Data3 little-endian).
    QUuid guid();
    // int32 number of records that follow. Throws when it is negative or when that many
    // records of at least minRecordSize bytes each cannot fit into the bytes left.
    int32_t count(int32_t minRecordSize);

    qsizetype remaining() const { return size_ - pos_; }
    qsizetype position() const { return pos_; }
    bool atEnd() const { return pos_ >= size_; }

    // Returns v, or throws EFileError (fekMalformed) for an infinity or NaN read from a
    // field where no valid file has one.
    static double finite(double v);

private:
    // Checks that n more bytes exist, advances past them and returns where they begin.
    const uint8_t* take(qsizetype n);

    const uint8_t* data_;
    qsizetype size_;
    qsizetype pos_ = 0;
};
