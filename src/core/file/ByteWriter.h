#pragma once

#include "core/file/Extended80.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QUuid>
#include <cstdint>

// Little-endian writer into a growing buffer; the counterpart of ByteReader.
class ByteWriter {
public:
    void u8(uint8_t v);
    void boolean(bool v);  // 0 or 1
    void i16(int16_t v);
    void u16(uint16_t v);
    void i32(int32_t v);
    void u32(uint32_t v);
    void f32(float v);
    void f64(double v);
    void ext80(const Extended80& v);
    void bytes(QByteArrayView v);
    void zeros(qsizetype n);
    // int32 byte count, then the Windows-1251 bytes.
    void string(const QString& v);
    void guid(const QUuid& v);

    // Overwrites an int32 written earlier, e.g. a count known only after its records.
    void patchI32(qsizetype offset, int32_t v);

    // The bytes written so far.
    const QByteArray& data() const;
    qsizetype size() const { return used_; }

private:
    // Room for n more bytes at the end, to be filled by the caller. The buffer grows ahead
    // of the bytes in use, so a value costs a copy into place rather than a call into the
    // byte array's general insertion.
    char* extend(qsizetype n);

    // Holds used_ bytes and room after them; data() trims the room.
    mutable QByteArray buf_;
    qsizetype used_ = 0;
};
