#include "core/file/Zlib.h"

#include "core/file/FileError.h"
#include "core/file/InflateStream.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace {

const QString kOtherError = QStringLiteral("Error");

// The output starts at this size (or the expected size when smaller) and doubles as needed.
constexpr qint64 kInitialChunk = 64 * 1024;

[[noreturn]] void fail(const QString& message) { throw EFileError(fekZlib, message); }

}  // namespace

QByteArray zlibCompress(QByteArrayView body)
{
    if (static_cast<quint64>(body.size()) > std::numeric_limits<uLong>::max())
        fail(kOtherError);
    const uLong sourceLen = static_cast<uLong>(body.size());
    uLongf destLen = compressBound(sourceLen);
    QByteArray out(static_cast<qsizetype>(destLen), Qt::Uninitialized);
    const int rc = compress2(reinterpret_cast<Bytef*>(out.data()), &destLen,
                             reinterpret_cast<const Bytef*>(body.data()), sourceLen, 9);
    if (rc != Z_OK)
        fail(kOtherError);
    out.truncate(static_cast<qsizetype>(destLen));
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
