#include "core/file/Zlib.h"

#include "core/file/FileError.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <limits>
#include <memory>

namespace {

const QString kTooSmall = QStringLiteral("ZLib error: target buffer may be too small");
const QString kOtherError = QStringLiteral("Error");

// Network bodies are a few megabytes; anything beyond what an int32 size field holds is
// a broken file, not a big one.
constexpr qint64 kMaxExpectedSize = std::numeric_limits<int32_t>::max();
// The output starts at this size (or the expected size when smaller) and doubles as needed.
constexpr qint64 kInitialChunk = 64 * 1024;
// Past 9 libdeflate parses optimally: a percent or two smaller, several times slower.
constexpr int kDeflateLevel = 9;

[[noreturn]] void fail(const QString& message) { throw EFileError(fekZlib, message); }

// Ends the inflate stream on every path out of zlibInflateExact.
struct InflateGuard {
    z_stream* stream;
    ~InflateGuard() { inflateEnd(stream); }
};

}  // namespace

QByteArray zlibCompress(QByteArrayView body)
{
    const std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)> compressor(
        libdeflate_alloc_compressor(kDeflateLevel), &libdeflate_free_compressor);
    if (!compressor)
        fail(kOtherError);
    const size_t sourceLen = static_cast<size_t>(body.size());
    const size_t bound = libdeflate_zlib_compress_bound(compressor.get(), sourceLen);
    if (bound > static_cast<size_t>(std::numeric_limits<qsizetype>::max()))
        fail(kOtherError);
    QByteArray out(static_cast<qsizetype>(bound), Qt::Uninitialized);
    const size_t written = libdeflate_zlib_compress(compressor.get(), body.data(), sourceLen, out.data(), bound);
    if (written == 0)
        fail(kOtherError);
    out.truncate(static_cast<qsizetype>(written));
    return out;
}

QByteArray zlibInflateExact(QByteArrayView data, qint64 expectedSize)
{
    if (expectedSize < 0 || expectedSize > kMaxExpectedSize)
        fail(kOtherError);
    if (static_cast<quint64>(data.size()) > std::numeric_limits<uInt>::max())
        fail(kOtherError);

    z_stream strm{};
    strm.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    strm.avail_in = static_cast<uInt>(data.size());
    if (inflateInit(&strm) != Z_OK)
        fail(kOtherError);
    InflateGuard guard{&strm};

    QByteArray out(static_cast<qsizetype>(std::min(expectedSize, kInitialChunk)), Qt::Uninitialized);
    qint64 produced = 0;
    for (;;) {
        if (produced == out.size() && out.size() < expectedSize) {
            const qint64 grown = std::min(expectedSize, std::max<qint64>(out.size() * 2, kInitialChunk));
            out.resize(static_cast<qsizetype>(grown));
        }
        const bool full = produced == expectedSize;
        // With the expected bytes all produced, a one-byte probe tells whether the stream
        // ends there or holds more.
        Bytef probe = 0;
        strm.next_out = full ? &probe : reinterpret_cast<Bytef*>(out.data()) + produced;
        strm.avail_out = full ? 1 : static_cast<uInt>(out.size() - produced);
        const uInt availBefore = strm.avail_out;

        const int rc = inflate(&strm, Z_NO_FLUSH);
        const uInt written = availBefore - strm.avail_out;
        if (full && written > 0)
            fail(kTooSmall);
        produced += written;

        switch (rc) {
        case Z_STREAM_END:
            if (produced != expectedSize)
                fail(kTooSmall);
            return out;
        case Z_OK:
            break;
        case Z_BUF_ERROR:
            // No progress possible: with room left in the output the input ran out, the
            // stream is cut off.
            if (strm.avail_out != 0)
                fail(kTooSmall);
            break;
        default:  // Z_DATA_ERROR, Z_NEED_DICT, Z_MEM_ERROR, Z_STREAM_ERROR
            fail(kOtherError);
        }
    }
}
