#include "core/file/InflateStream.h"

#include "core/file/FileError.h"

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

[[noreturn]] void fail(const QString& message) { throw EFileError(fekZlib, message); }

}  // namespace

InflateStream::InflateStream(QByteArrayView packed, qint64 expectedSize)
    : stream_(std::make_unique<z_stream_s>()), expected_(expectedSize)
{
    if (expectedSize < 0 || expectedSize > kMaxExpectedSize)
        fail(kOtherError);
    if (static_cast<quint64>(packed.size()) > std::numeric_limits<uInt>::max())
        fail(kOtherError);
    *stream_ = z_stream_s{};
    stream_->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream_->avail_in = static_cast<uInt>(packed.size());
    if (inflateInit(stream_.get()) != Z_OK) {
        stream_.reset();
        fail(kOtherError);
    }
}

InflateStream::~InflateStream()
{
    if (stream_)
        inflateEnd(stream_.get());
}

qsizetype InflateStream::ReadSome(char* out, qsizetype capacity)
{
    const qint64 room = std::min<qint64>(capacity, expected_ - produced_);
    if (room <= 0 || ended_)
        fail(kTooSmall);
    stream_->next_out = reinterpret_cast<Bytef*>(out);
    stream_->avail_out = static_cast<uInt>(std::min<qint64>(room, std::numeric_limits<uInt>::max()));
    for (;;) {
        const uInt availBefore = stream_->avail_out;
        const int rc = inflate(stream_.get(), Z_NO_FLUSH);
        const uInt written = availBefore - stream_->avail_out;
        produced_ += written;
        switch (rc) {
        case Z_STREAM_END:
            ended_ = true;
            if (produced_ != expected_)
                fail(kTooSmall);
            break;
        case Z_OK:
            break;
        case Z_BUF_ERROR:
            // No progress possible: with room left in the output the input ran out, the
            // stream is cut off.
            if (stream_->avail_out != 0)
                fail(kTooSmall);
            break;
        default:  // Z_DATA_ERROR, Z_NEED_DICT, Z_MEM_ERROR, Z_STREAM_ERROR
            fail(kOtherError);
        }
        // Whatever arrived is handed out; zlib may consume headers without output.
        const qsizetype total = static_cast<qsizetype>(room - stream_->avail_out);
        if (total > 0)
            return total;
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
    while (!ended_) {
        Bytef probe = 0;
        stream_->next_out = &probe;
        stream_->avail_out = 1;
        const int rc = inflate(stream_.get(), Z_NO_FLUSH);
        if (stream_->avail_out == 0)
            fail(kTooSmall);
        switch (rc) {
        case Z_STREAM_END:
            ended_ = true;
            break;
        case Z_OK:
            break;
        case Z_BUF_ERROR:
            fail(kTooSmall);
        default:
            fail(kOtherError);
        }
    }
}
