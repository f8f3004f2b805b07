// The streaming inflater reads the zlib header and trailer itself: every way they can be
// wrong or cut off must end as zlib's own wrapped inflate ends on the same bytes.

#include "core/file/FileError.h"
#include "core/file/InflateStream.h"
#include "core/file/Zlib.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <vector>

namespace {

const QString kTooSmall = QStringLiteral("ZLib error: target buffer may be too small");
const QString kWhole = QStringLiteral("<whole>");

QByteArray SampleBody(int records)
{
    QByteArray body;
    for (int i = 0; i < records; ++i)
        body.append(QByteArray::number(i * 7919 % 1000)).append(char(i % 3));
    return body;
}

// zlib's wrapped inflate over the whole input into room for one byte more than expected.
QString WrappedVerdict(QByteArrayView packed, qint64 expected)
{
    z_stream s{};
    inflateInit(&s);
    std::vector<Bytef> out(static_cast<size_t>(expected) + 1);
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    s.avail_in = static_cast<uInt>(packed.size());
    s.next_out = out.data();
    s.avail_out = static_cast<uInt>(out.size());
    int rc = Z_OK;
    while (rc == Z_OK)
        rc = inflate(&s, Z_NO_FLUSH);
    const auto produced = static_cast<qint64>(s.total_out);
    inflateEnd(&s);
    if (produced > expected || rc == Z_BUF_ERROR || (rc == Z_STREAM_END && produced != expected))
        return kTooSmall;
    return rc == Z_STREAM_END ? kWhole : QStringLiteral("Error");
}

// The stream read in pieces of at most `piece` bytes, then finished.
QString StreamVerdict(QByteArrayView packed, qint64 expected, qsizetype piece)
{
    try {
        InflateStream stream(packed, expected);
        std::vector<char> out(static_cast<size_t>(piece));
        while (stream.Produced() < expected)
            stream.ReadSome(out.data(), static_cast<qsizetype>(std::min<qint64>(piece, expected - stream.Produced())));
        stream.Finish();
    } catch (const EFileError& e) {
        return e.Message();
    }
    return kWhole;
}

void ExpectAsZlib(QByteArrayView packed, qint64 expected)
{
    const QString wrapped = WrappedVerdict(packed, expected);
    for (const qsizetype piece : {1, 5, 128 * 1024})
        ASSERT_EQ(wrapped, StreamVerdict(packed, expected, piece))
            << packed.size() << " bytes, expected " << expected << ", pieces of " << piece;
}

}  // namespace

// All 65 536 headers before the same deflate data, whole and cut just before or after a
// preset dictionary's id would end: header check, method, window size, dictionary.
TEST(InflateStream, EveryHeaderEndsAsWithZlib)
{
    const QByteArray body = SampleBody(50);
    QByteArray bytes = zlibCompress(body);
    int whole = 0;
    for (int header = 0; header < 0x10000; ++header) {
        bytes[0] = char(header >> 8);
        bytes[1] = char(header & 0xff);
        for (const qsizetype size : {bytes.size(), qsizetype{5}, qsizetype{6}}) {
            const QString wrapped = WrappedVerdict(bytes.first(size), body.size());
            ASSERT_EQ(wrapped, StreamVerdict(bytes.first(size), body.size(), 64)) << header << ", " << size << " bytes";
            whole += wrapped == kWhole;
        }
    }
    EXPECT_GE(whole, 8 * 4) << "every window up to 32 KiB at each level reads whole";
}

// The trailer cut at each byte, each of its bytes wrong (also on a stream ending off the
// expected size), bytes after it; the last pieces end at different places.
TEST(InflateStream, TrailerEndsAsWithZlib)
{
    for (const QByteArray& body : {SampleBody(20000), QByteArray("x"), QByteArray()}) {
        const QByteArray packed = zlibCompress(body);
        for (qsizetype cut = 0; cut <= 6; ++cut)
            ExpectAsZlib(packed.first(packed.size() - cut), body.size());
        for (qsizetype at = packed.size() - 4; at < packed.size(); ++at) {
            QByteArray wrong = packed;
            wrong[at] = char(wrong[at] ^ 0x10);
            for (const qint64 expected : {body.size() - 1, body.size(), body.size() + 1})
                if (expected >= 0)
                    ExpectAsZlib(wrong, expected);
        }
        ExpectAsZlib(packed + QByteArray("after"), body.size());
        EXPECT_EQ(kWhole, StreamVerdict(packed + QByteArray("after"), body.size(), 7));
    }
}
