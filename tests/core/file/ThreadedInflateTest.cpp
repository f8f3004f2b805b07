// The inflater on a thread of its own must fail where and as the plain one fails, hand out
// the same bytes, and stop cleanly when its reader gives up early.

#include "core/file/FileError.h"
#include "core/file/InflateStream.h"
#include "core/file/ThreadedInflate.h"
#include "core/file/Zlib.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

const QString kWhole = QStringLiteral("<whole>");

QByteArray Body(int bytes, unsigned seed)
{
    std::mt19937 random(seed);
    QByteArray body(bytes, '\0');
    for (char& c : body)
        c = static_cast<char>(random() % 7 == 0 ? random() : 'a' + random() % 4);
    return body;
}

// What a stream hands out, read in pieces, and how it ends.
template <class Stream>
std::pair<QByteArray, QString> ReadAll(Stream& stream, qint64 expected, qsizetype piece)
{
    QByteArray got;
    try {
        std::vector<char> out(static_cast<size_t>(piece));
        while (got.size() < expected) {
            const qsizetype n = stream.ReadSome(out.data(), std::min<qsizetype>(piece, expected - got.size()));
            got.append(out.data(), n);
        }
        stream.Finish();
    } catch (const EFileError& e) {
        return {got, e.Message()};
    }
    return {got, kWhole};
}

}  // namespace

// Damage anywhere in the packed bytes (or a stream cut short) ends the threaded reading with
// the plain stream's message, after the same bytes (how many depends on the piece sizes).
TEST(ThreadedInflate, FailsWhereThePlainStreamFails)
{
    const QByteArray body = Body(600 * 1024, 1);
    const QByteArray packed = zlibCompress(body);
    std::mt19937 random(7);
    for (int trial = 0; trial < 40; ++trial) {
        QByteArray damaged = packed;
        if (trial % 4 == 3)
            damaged.truncate(static_cast<qsizetype>(random() % static_cast<unsigned>(packed.size())));
        else if (trial > 0)
            damaged[static_cast<qsizetype>(random() % static_cast<unsigned>(packed.size()))] ^= char(1 << (trial % 8));
        InflateStream plain(damaged, body.size());
        const auto expected = ReadAll(plain, body.size(), 4096);
        ThreadedInflate threaded(damaged, body.size(), {}, 8 * 1024, 3);
        const auto got = ReadAll(threaded, body.size(), 4096);
        EXPECT_EQ(expected.second, got.second) << "trial " << trial;
        const qsizetype common = std::min(expected.first.size(), got.first.size());
        EXPECT_EQ(expected.first.first(common), got.first.first(common)) << "trial " << trial;
        if (expected.second == kWhole) {
            EXPECT_EQ(body, got.first) << "trial " << trial;
        }
    }
}

// A reader that stops early (a record it cannot take) hears of a damaged stream from
// Finish; one that leaves without Finish stops the thread.
TEST(ThreadedInflate, ReaderThatStopsEarly)
{
    const QByteArray body = Body(300 * 1024, 2);
    QByteArray packed = zlibCompress(body);
    {
        ThreadedInflate stream(packed, body.size(), {}, 4096, 2);
        char buffer[100];
        stream.ReadSome(buffer, sizeof buffer);
    }  // left running ahead: the destructor stops it
    packed[packed.size() - 1] ^= 1;  // the checksum
    ThreadedInflate stream(packed, body.size(), {}, 4096, 2);
    char buffer[100];
    stream.ReadSome(buffer, sizeof buffer);
    EXPECT_THROW(stream.Finish(), EFileError);
}

// Progress rises on the reader's thread and reaches 100 only when the stream ended whole.
TEST(ThreadedInflate, ProgressReachesHundredOnlyWhenWhole)
{
    const QByteArray body = Body(400 * 1024, 3);
    const QByteArray packed = zlibCompress(body);
    std::vector<int> told;
    ThreadedInflate stream(packed, body.size(), [&](int p) { told.push_back(p); }, 16 * 1024, 2);
    const auto got = ReadAll(stream, body.size(), 1000);
    EXPECT_EQ(kWhole, got.second);
    EXPECT_EQ(body, got.first);
    ASSERT_FALSE(told.empty());
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_EQ(100, told.back());
    EXPECT_EQ(1, std::count(told.begin(), told.end(), 100));
}
