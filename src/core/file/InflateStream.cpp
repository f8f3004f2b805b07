#include "core/file/InflateStream.h"

#include "core/file/FileError.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

const QString kTooSmall = QStringLiteral("ZLib error: target buffer may be too small");
const QString kOtherError = QStringLiteral("Error");

// Network bodies are a few megabytes; anything beyond what an int32 size field holds is
// a broken file, not a big one.
constexpr qint64 kMaxExpectedSize = std::numeric_limits<int32_t>::max();
constexpr qsizetype kDiscardChunk = 64 * 1024;
// Deflate data with a 32 KiB window; zlib's wrapped inflate accepts no wider one.
constexpr int kRawWindowBits = -15;
constexpr unsigned kMaxHeaderWindowBits = 15;
constexpr unsigned kHeaderSize = 2;
constexpr unsigned kDictionaryIdSize = 4;
constexpr unsigned kTrailerSize = 4;
constexpr unsigned kPresetDictionaryFlag = 0x20;
// Progress reaches 100 only when the whole stream has been checked.
constexpr int kLastStreamingPercent = 99;

[[noreturn]] void fail(const QString& message) { throw EFileError(fekZlib, message); }

}  // namespace

InflateStream::InflateStream(QByteArrayView packed, qint64 expectedSize, Progress progress)
    : stream_(std::make_unique<z_stream_s>()), packed_(packed), expected_(expectedSize),
      progress_(std::move(progress))
{
    if (expectedSize < 0 || expectedSize > kMaxExpectedSize)
        fail(kOtherError);
    if (static_cast<quint64>(packed.size()) > std::numeric_limits<uInt>::max())
        fail(kOtherError);
    *stream_ = z_stream_s{};
    stream_->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream_->avail_in = static_cast<uInt>(packed.size());
    if (inflateInit2(stream_.get(), kRawWindowBits) != Z_OK) {
        stream_.reset();
        fail(kOtherError);
    }
}

InflateStream::~InflateStream()
{
    if (stream_)
        inflateEnd(stream_.get());
}

// The checks and codes of zlib's wrapped inflate: a header it cannot read yet is no
// progress (Z_BUF_ERROR), a preset dictionary is asked for once its id has arrived.
int InflateStream::ReadHeader()
{
    if (stream_->avail_in < kHeaderSize)
        return Z_BUF_ERROR;
    const unsigned cmf = stream_->next_in[0];
    const unsigned flg = stream_->next_in[1];
    if ((cmf * 256 + flg) % 31 != 0 || (cmf & 0x0f) != Z_DEFLATED || (cmf >> 4) + 8 > kMaxHeaderWindowBits)
        return Z_DATA_ERROR;
    if (flg & kPresetDictionaryFlag)
        return stream_->avail_in < kHeaderSize + kDictionaryIdSize ? Z_BUF_ERROR : Z_NEED_DICT;
    stream_->next_in += kHeaderSize;
    stream_->avail_in -= kHeaderSize;
    stage_ = Stage::Body;
    return Z_OK;
}

// Raw inflate stops right after the deflate data, where the big-endian Adler-32 follows.
// Whatever comes after it is not looked at.
int InflateStream::CheckTrailer()
{
    if (stream_->avail_in < kTrailerSize)
        return Z_BUF_ERROR;
    const Bytef* p = stream_->next_in;
    const uint32_t stored = uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | uint32_t{p[3]};
    if (stored != adler_)
        return Z_DATA_ERROR;
    stream_->next_in += kTrailerSize;
    stream_->avail_in -= kTrailerSize;
    stage_ = Stage::Ended;
    return Z_STREAM_END;
}

int InflateStream::Inflate(unsigned char* out, unsigned capacity, unsigned& written)
{
    written = 0;
    if (stage_ == Stage::Header) {
        const int rc = ReadHeader();
        if (rc != Z_OK)
            return rc;
    }
    stream_->next_out = out;
    stream_->avail_out = capacity;
    const int rc = inflate(stream_.get(), Z_NO_FLUSH);
    written = capacity - stream_->avail_out;
    if (written > 0)
        adler_ = libdeflate_adler32(adler_, out, written);
    // Called again after the deflate data ended, raw inflate says so again: a trailer that
    // was cut off is found missing again.
    return rc == Z_STREAM_END ? CheckTrailer() : rc;
}

void InflateStream::Report()
{
    if (!progress_ || packed_.isEmpty())
        return;
    const qint64 consumed = reinterpret_cast<const char*>(stream_->next_in) - packed_.data();
    const int percent = static_cast<int>(std::min<qint64>(consumed * 100 / packed_.size(), kLastStreamingPercent));
    if (percent > reported_) {
        reported_ = percent;
        progress_(percent);
    }
}

qsizetype InflateStream::ReadSome(char* out, qsizetype capacity)
{
    const qint64 room = std::min<qint64>(capacity, expected_ - produced_);
    if (room <= 0 || stage_ == Stage::Ended)
        fail(kTooSmall);
    auto* next = reinterpret_cast<unsigned char*>(out);
    unsigned left = static_cast<unsigned>(std::min<qint64>(room, std::numeric_limits<uInt>::max()));
    for (;;) {
        unsigned written = 0;
        const int rc = Inflate(next, left, written);
        next += written;
        left -= written;
        produced_ += written;
        switch (rc) {
        case Z_STREAM_END:
            if (produced_ != expected_)
                fail(kTooSmall);
            break;
        case Z_OK:
            break;
        case Z_BUF_ERROR:
            // No progress possible: with room left in the output the input ran out, the
            // stream is cut off.
            if (left != 0)
                fail(kTooSmall);
            break;
        default:  // Z_DATA_ERROR, Z_NEED_DICT, Z_MEM_ERROR, Z_STREAM_ERROR
            fail(kOtherError);
        }
        // Whatever arrived is handed out; zlib may consume input without output.
        const qsizetype total = reinterpret_cast<char*>(next) - out;
        if (total > 0) {
            Report();
            return total;
        }
    }
}

void InflateStream::Finish()
{
    if (produced_ < expected_) {
        std::vector<char> discard(static_cast<size_t>(std::min<qint64>(kDiscardChunk, expected_ - produced_)));
        while (produced_ < expected_)
            ReadSome(discard.data(), static_cast<qsizetype>(discard.size()));
    }
    // With the expected bytes all produced, a one-byte probe tells whether the stream ends
    // there or holds more.
    while (stage_ != Stage::Ended) {
        unsigned char probe = 0;
        unsigned written = 0;
        const int rc = Inflate(&probe, 1, written);
        if (written != 0)
            fail(kTooSmall);
        switch (rc) {
        case Z_STREAM_END:
        case Z_OK:
            break;
        case Z_BUF_ERROR:
            fail(kTooSmall);
        default:
            fail(kOtherError);
        }
    }
    if (progress_ && reported_ < 100) {
        reported_ = 100;
        progress_(100);
    }
}
