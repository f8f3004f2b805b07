#include "core/file/Zlib.h"

#include "core/file/FileError.h"
#include "core/file/InflateStream.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <limits>
#include <memory>

namespace {

const QString kOtherError = QStringLiteral("Error");

// The output starts at this size (or the expected size when smaller) and doubles as needed.
constexpr qint64 kInitialChunk = 64 * 1024;
// Past 9 libdeflate parses optimally: a percent or two smaller, several times slower.
constexpr int kDeflateLevel = 9;

[[noreturn]] void fail(const QString& message) { throw EFileError(fekZlib, message); }

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
    InflateStream stream(data, expectedSize);
    // The output grows with what the stream really produces.
    QByteArray out(static_cast<qsizetype>(std::min(expectedSize, kInitialChunk)), Qt::Uninitialized);
    while (stream.Produced() < expectedSize) {
        if (stream.Produced() == out.size())
            out.resize(static_cast<qsizetype>(std::min(expectedSize, std::max<qint64>(out.size() * 2, kInitialChunk))));
        const qsizetype at = static_cast<qsizetype>(stream.Produced());
        stream.ReadSome(out.data() + at, out.size() - at);
    }
    stream.Finish();
    return out;
}
