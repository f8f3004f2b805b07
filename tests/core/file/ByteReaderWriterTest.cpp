#include "core/file/ByteReader.h"
#include "core/file/ByteWriter.h"
#include "core/file/FileError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

const QUuid kGuid(QStringLiteral("{00112233-4455-6677-8899-AABBCCDDEEFF}"));

// Bytes of every primitive in a row, as a file holds them.
const QByteArray kAllKinds = Hex(
    "7F"                                    // u8 127
    "02"                                    // bool: any nonzero is true
    "FEFF"                                  // i16 -2
    "FEFF"                                  // u16 65534
    "FFFFFFFF"                              // i32 -1
    "78563412"                              // u32 0x12345678
    "0000C03F"                              // f32 1.5
    "000000000000F0BF"                      // f64 -1.0
    "000000000000 00C0 0240"                // ext80 12.0
    "05000000 CDEEECE5F0"                   // string "Номер"
    "33221100 5544 7766 8899AABBCCDDEEFF"); // guid

void ExpectError(TFileErrorKind kind, const std::function<void()>& action)
{
    try {
        action();
        ADD_FAILURE() << "no error";
    } catch (const EFileError& e) {
        EXPECT_EQ(kind, e.Kind()) << e.what();
    }
}

}  // namespace

TEST(ByteReader, ReadsEveryPrimitive)
{
    ByteReader r(kAllKinds);
    EXPECT_EQ(127, r.u8());
    EXPECT_TRUE(r.boolean());
    EXPECT_EQ(-2, r.i16());
    EXPECT_EQ(65534, r.u16());
    EXPECT_EQ(-1, r.i32());
    EXPECT_EQ(0x12345678u, r.u32());
    EXPECT_EQ(1.5f, r.f32());
    EXPECT_EQ(-1.0, r.f64());
    EXPECT_EQ(12.0, r.ext80().toDouble());
    EXPECT_EQ(QStringLiteral("Номер"), r.string());
    EXPECT_EQ(kGuid, r.guid());
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(0, r.remaining());
    EXPECT_EQ(kAllKinds.size(), r.position());
}

TEST(ByteWriter, WritesTheSameBytesTheReaderReads)
{
    ByteWriter w;
    w.u8(127);
    w.boolean(true);
    w.i16(-2);
    w.u16(65534);
    w.i32(-1);
    w.u32(0x12345678u);
    w.f32(1.5f);
    w.f64(-1.0);
    w.ext80(Extended80::fromDouble(12.0));
    w.string(QStringLiteral("Номер"));
    w.guid(kGuid);
    // The reader accepts any nonzero byte as true; the writer always writes 1.
    QByteArray expected = kAllKinds;
    expected[1] = 1;
    EXPECT_EQ(expected, w.data());
    EXPECT_EQ(expected.size(), w.size());
}

TEST(ByteWriter, BooleansZerosBytesAndPatches)
{
    ByteWriter w;
    w.boolean(false);
    w.boolean(true);
    w.zeros(3);
    w.zeros(0);
    w.i32(0);  // a count patched later
    w.bytes(QByteArrayView("ab"));
    w.patchI32(5, -7);
    EXPECT_EQ(Hex("00 01 000000 F9FFFFFF 6162"), w.data());
    EXPECT_THROW(w.patchI32(8, 1), std::out_of_range);  // would run past the end
    EXPECT_THROW(w.patchI32(-1, 1), std::out_of_range);
}

TEST(ByteWriter, StringCountIsBytesAfterEncoding)
{
    ByteWriter w;
    w.string(QStringLiteral("Ё日"));  // the second character has no code
    w.string(QString());
    EXPECT_EQ(Hex("02000000 A8 3F 00000000"), w.data());
}

TEST(ByteReader, EveryReadAtTheVeryEnd)
{
    struct Case {
        const char* name;
        int size;
        std::function<void(ByteReader&)> read;
    };
    const Case cases[] = {
        {"u8", 1, [](ByteReader& r) { r.u8(); }},
        {"boolean", 1, [](ByteReader& r) { r.boolean(); }},
        {"i16", 2, [](ByteReader& r) { r.i16(); }},
        {"u16", 2, [](ByteReader& r) { r.u16(); }},
        {"i32", 4, [](ByteReader& r) { r.i32(); }},
        {"u32", 4, [](ByteReader& r) { r.u32(); }},
        {"f32", 4, [](ByteReader& r) { r.f32(); }},
        {"f64", 8, [](ByteReader& r) { r.f64(); }},
        {"ext80", 10, [](ByteReader& r) { r.ext80(); }},
        {"guid", 16, [](ByteReader& r) { r.guid(); }},
        {"bytes", 5, [](ByteReader& r) { r.bytes(5); }},
        {"skip", 5, [](ByteReader& r) { r.skip(5); }},
        {"count", 4, [](ByteReader& r) { r.count(1); }},
        {"string", 4, [](ByteReader& r) { r.string(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Preceded by 3 bytes, so the check must use the position, not the total size.
        const QByteArray enough = QByteArray(3, 'x') + QByteArray(c.size, '\0');
        ByteReader ok(enough);
        ok.skip(3);
        c.read(ok);
        EXPECT_TRUE(ok.atEnd());

        const QByteArray shortBy1 = enough.left(enough.size() - 1);
        ByteReader bad(shortBy1);
        bad.skip(3);
        ExpectError(fekTruncated, [&] { c.read(bad); });
        EXPECT_EQ(3, bad.position());  // a failed read consumes nothing
    }
    ByteReader empty(QByteArrayView{});
    EXPECT_TRUE(empty.atEnd());
    ExpectError(fekTruncated, [&] { empty.u8(); });
}

TEST(ByteReader, StringLengths)
{
    {
        // n <= 0 is the empty string and only the count is consumed.
        const QByteArray data = Hex("00000000 FBFFFFFF 00000080 41");
        ByteReader r(data);
        EXPECT_TRUE(r.string().isEmpty());
        EXPECT_TRUE(r.string().isEmpty());
        EXPECT_TRUE(r.string().isEmpty());  // INT32_MIN
        EXPECT_EQ(1, r.remaining());
    }
    {
        // One byte more than is there.
        const QByteArray data = Hex("03000000 4142");
        ByteReader r(data);
        ExpectError(fekTruncated, [&] { r.string(); });
    }
    {
        // A huge length is refused before anything is allocated for it.
        const QByteArray data = Hex("FFFFFF7F 4142");
        ByteReader r(data);
        ExpectError(fekTruncated, [&] { r.string(); });
    }
}

TEST(ByteReader, CountIsValidatedAgainstRemainingBytes)
{
    {
        const QByteArray data = Hex("02000000 AABBCCDD EEFF0011");
        ByteReader r(data);
        EXPECT_EQ(2, r.count(4));
        EXPECT_EQ(8, r.remaining());
    }
    {
        const QByteArray data = Hex("03000000 AABBCCDD EEFF0011");
        ByteReader r(data);
        ExpectError(fekTruncated, [&] { r.count(4); });
    }
    {
        const QByteArray data = Hex("FFFFFFFF");
        ByteReader r(data);
        ExpectError(fekMalformed, [&] { r.count(0); });
    }
    {
        const QByteArray data = Hex("00000080");
        ByteReader r(data);
        ExpectError(fekMalformed, [&] { r.count(1); });
    }
    {
        // 0x7FFFFFFF * 0x7FFFFFFF overflows 32 bits; the check must not.
        const QByteArray data = Hex("FFFFFF7F 00");
        ByteReader r(data);
        ExpectError(fekTruncated, [&] { r.count(std::numeric_limits<int32_t>::max()); });
    }
    {
        // 0x40000000 * 4 wraps to 0 in 32 bits.
        const QByteArray data = Hex("00000040");
        ByteReader r(data);
        ExpectError(fekTruncated, [&] { r.count(4); });
    }
    {
        // Records of unknown minimum size: any non-negative count passes.
        const QByteArray data = Hex("E8030000");
        ByteReader r(data);
        EXPECT_EQ(1000, r.count(0));
    }
}

TEST(ByteReader, NegativeLengthsAreMalformed)
{
    const QByteArray data = Hex("0102");
    ByteReader r(data);
    ExpectError(fekMalformed, [&] { r.bytes(-1); });
    ExpectError(fekMalformed, [&] { r.skip(-1); });
    EXPECT_EQ(0, r.position());
    EXPECT_EQ(Hex("0102"), r.bytes(2));
}

TEST(ByteReader, PointerConstructorAndFiniteCheck)
{
    const char raw[] = {1, 0, 0, 0};
    ByteReader r(raw, 4);
    EXPECT_EQ(1, r.i32());

    EXPECT_EQ(2.5, ByteReader::finite(2.5));
    ExpectError(fekMalformed, [] { ByteReader::finite(std::numeric_limits<double>::infinity()); });
    ExpectError(fekMalformed, [] { ByteReader::finite(-std::numeric_limits<double>::infinity()); });
    ExpectError(fekMalformed, [] { ByteReader::finite(std::nan("")); });
}

// The writer grows ahead of its bytes: what it hands out holds exactly the bytes written,
// and writing on afterwards (also its own bytes again) changes nothing handed out before.
TEST(ByteWriter, BytesHandedOutStayWhileWritingGoesOn)
{
    ByteWriter w;
    w.i32(0x01020304);
    const QByteArray first = w.data();
    ASSERT_EQ(first.size(), 4);
    for (int i = 0; i < 1000; ++i)
        w.u8(static_cast<uint8_t>(i));
    w.bytes(w.data());
    w.patchI32(0, 7);
    EXPECT_EQ(first, QByteArray("\x04\x03\x02\x01", 4));
    ASSERT_EQ(w.size(), 2 * 1004);
    EXPECT_EQ(w.data().size(), w.size());
    EXPECT_EQ(w.data().mid(1004, 4), first);
    EXPECT_EQ(w.data().left(4), QByteArray("\x07\x00\x00\x00", 4));
    EXPECT_EQ(char(w.data()[1003]), char(999 % 256));
    EXPECT_THROW(w.patchI32(w.size() - 3, 1), std::out_of_range);
}
