#include "core/file/FileError.h"
#include "core/file/Zlib.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const QString kTooSmall = QStringLiteral("ZLib error: target buffer may be too small");
const QString kOther = QStringLiteral("Error");

// A body of some structure, larger than the first output chunk so the output has to grow.
QByteArray SampleBody()
{
    QByteArray body;
    for (int i = 0; i < 30000; ++i) {
        const int32_t v = i * 7919 % 1000;
        body.append(reinterpret_cast<const char*>(&v), sizeof v);
        body.append(char(i % 3));
    }
    return body;
}

QString InflateError(QByteArrayView data, qint64 expectedSize)
{
    try {
        zlibInflateExact(data, expectedSize);
    } catch (const EFileError& e) {
        EXPECT_EQ(fekZlib, e.Kind());
        return e.Message();
    }
    return QStringLiteral("<no error>");
}

}  // namespace

TEST(Zlib, RoundTrip)
{
    const QByteArray body = SampleBody();
    const QByteArray packed = zlibCompress(body);
    ASSERT_GE(packed.size(), 6);
    // zlib header of a level-9 stream: deflate, 32 KiB window, maximum compression.
    EXPECT_EQ(char(0x78), packed[0]);
    EXPECT_EQ(char(0xDA), packed[1]);
    EXPECT_LT(packed.size(), body.size());
    EXPECT_EQ(body, zlibInflateExact(packed, body.size()));

    const QByteArray small("x");
    EXPECT_EQ(small, zlibInflateExact(zlibCompress(small), 1));
    EXPECT_TRUE(zlibInflateExact(zlibCompress(QByteArray()), 0).isEmpty());
}

// Large enough for the compressor to cut it into many blocks; zlib's inflate reads them all.
TEST(Zlib, ManyBlocksRoundTrip)
{
    const QByteArray sample = SampleBody();
    QByteArray body;
    uint32_t x = 1;
    while (body.size() < 3'000'000) {
        x = x * 1103515245u + 12345u;
        body.append(sample.first(static_cast<qsizetype>(x % 4096)));
        body.append(reinterpret_cast<const char*>(&x), sizeof x);
    }
    const QByteArray packed = zlibCompress(body);
    EXPECT_LT(packed.size(), body.size() / 4);
    EXPECT_EQ(body, zlibInflateExact(packed, body.size()));
}

TEST(Zlib, TruncatedStreamIsTargetBufferError)
{
    const QByteArray body = SampleBody();
    const QByteArray packed = zlibCompress(body);
    EXPECT_EQ(kTooSmall, InflateError(packed.left(packed.size() / 2), body.size()));
    EXPECT_EQ(kTooSmall, InflateError(packed.left(packed.size() - 1), body.size()));
    EXPECT_EQ(kTooSmall, InflateError(packed.left(2), body.size()));
    EXPECT_EQ(kTooSmall, InflateError(QByteArray(), body.size()));
}

TEST(Zlib, SizeThatDoesNotMatchTheStream)
{
    const QByteArray body = SampleBody();
    const QByteArray packed = zlibCompress(body);
    // The stream holds more than announced.
    EXPECT_EQ(kTooSmall, InflateError(packed, body.size() - 1));
    EXPECT_EQ(kTooSmall, InflateError(packed, 0));
    // The stream ends before the announced size.
    EXPECT_EQ(kTooSmall, InflateError(packed, body.size() + 1));
    // A header that lies grossly: the stream, not the header, decides what is allocated.
    EXPECT_EQ(kTooSmall, InflateError(zlibCompress("tiny"), 1'000'000'000));
}

TEST(Zlib, OtherFailuresAreError)
{
    EXPECT_EQ(kOther, InflateError(QByteArray("this is not a zlib stream"), 25));

    const QByteArray body = SampleBody();
    QByteArray badChecksum = zlibCompress(body);
    badChecksum[badChecksum.size() - 1] = char(badChecksum[badChecksum.size() - 1] ^ 0x01);
    EXPECT_EQ(kOther, InflateError(badChecksum, body.size()));

    QByteArray badHeader = zlibCompress(body);
    badHeader[1] = char(badHeader[1] ^ 0x01);  // header check bits no longer match
    EXPECT_EQ(kOther, InflateError(badHeader, body.size()));

    const QByteArray packed = zlibCompress(body);
    EXPECT_EQ(kOther, InflateError(packed, -1));
    EXPECT_EQ(kOther, InflateError(packed, qint64{std::numeric_limits<int32_t>::max()} + 1));
}
