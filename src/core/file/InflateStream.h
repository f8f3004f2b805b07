#pragma once

#include "core/file/ByteSource.h"

#include <QByteArrayView>
#include <cstdint>
#include <functional>
#include <memory>

struct z_stream_s;

// A zlib stream inflated a piece at a time, holding the caller to exactly expectedSize
// bytes. The failures are those of inflating it whole (Zlib.h): a stream that is cut off,
// ends before expectedSize bytes or holds more throws EFileError "ZLib error: target buffer
// may be too small"; corrupt data or an impossible size throws "Error". The packed bytes
// must outlive the stream.
//
// zlib inflates the deflate data raw; the two-byte header and the Adler-32 trailer are read
// here, and the checksum is taken with libdeflate, several times faster than zlib's own. The
// header and trailer fail as zlib's wrapped inflate fails on them.
class InflateStream final : public ByteSource {
public:
    // Told the share of the packed bytes consumed so far, in percent, each time it rises.
    using Progress = std::function<void(int percent)>;

    InflateStream(QByteArrayView packed, qint64 expectedSize, Progress progress = {});
    ~InflateStream() override;
    InflateStream(const InflateStream&) = delete;
    InflateStream& operator=(const InflateStream&) = delete;

    // Never gives more than the expected size; asking past it throws "too small".
    qsizetype ReadSome(char* out, qsizetype capacity) override;
    // Inflates what the caller did not take and checks that the stream ends exactly at the
    // expected size, with its checksum. Progress then reaches 100.
    void Finish();

    qint64 Produced() const { return produced_; }
    bool AtExpectedEnd() const { return produced_ >= expected_; }

private:
    enum class Stage { Header, Body, Ended };

    // One call of zlib's inflate into out; returns zlib's code, with the header read first
    // and the trailer checked when the deflate data ends.
    int Inflate(unsigned char* out, unsigned capacity, unsigned& written);
    int ReadHeader();
    int CheckTrailer();
    void Report();

    std::unique_ptr<z_stream_s> stream_;
    QByteArrayView packed_;
    qint64 expected_;
    qint64 produced_ = 0;
    uint32_t adler_ = 1;
    Stage stage_ = Stage::Header;
    Progress progress_;
    int reported_ = 0;
};
