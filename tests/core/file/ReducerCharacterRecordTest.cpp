#include "core/equipment/ReducerCharacter.h"
#include "core/file/ByteReader.h"
#include "core/file/ByteWriter.h"
#include "core/file/FileError.h"
#include "core/file/ReducerCharacterRecord.h"

#include <gtest/gtest.h>

TEST(ReducerCharacterRecord, LayoutOfTheDefaultCharacteristic)
{
    ByteWriter w;
    TReducerCharacter c;
    c.Name = QStringLiteral("Р");
    ReducerCharacterRecord::Write(w, c);
    ByteWriter expected;
    expected.bytes(QByteArray::fromHex("01000000D0" "02000000" "02000000"));
    for (double v : {16.0, 60.0, 8.0, 32.0, 10.0, 100.0, 7.3, 0.0, 28.6, 8.0})
        expected.f64(v);
    EXPECT_EQ(expected.data().toHex(), w.data().toHex());

    ByteReader r(w.data());
    TReducerCharacter back;
    back.Resize(5, 5);
    ReducerCharacterRecord::Read(r, back);
    EXPECT_EQ(c, back);
    EXPECT_TRUE(r.atEnd());
}

TEST(ReducerCharacterRecord, SizesTheDataCannotHoldLeaveTheCharacteristicAlone)
{
    for (const auto& [nP, nQ] : std::vector<std::pair<int32_t, int32_t>>{
             {-1, 2}, {2, -1}, {0x7FFFFFFF, 0x7FFFFFFF}, {0x10000, 0x10000}, {3, 3}}) {
        ByteWriter w;
        w.string(QStringLiteral("X"));
        w.i32(nP);
        w.i32(nQ);
        for (int i = 0; i < 14; ++i)  // one double short of 3 x 3
            w.f64(1);
        ByteReader r(w.data());
        TReducerCharacter c;
        EXPECT_THROW(ReducerCharacterRecord::Read(r, c), EFileError) << nP << " x " << nQ;
        EXPECT_EQ(TReducerCharacter(), c);
    }
}
