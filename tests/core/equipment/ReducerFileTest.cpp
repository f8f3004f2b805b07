#include "support/TempDir.h"

#include "core/equipment/ReducerCharacter.h"
#include "core/equipment/ReducerFile.h"
#include "core/file/ByteWriter.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QByteArray kMark = QByteArray::fromHex("F0D09598766AFA4DB35CA04D1C024FB1");

QByteArray Doubles(std::initializer_list<double> values)
{
    ByteWriter w;
    for (double v : values)
        w.f64(v);
    return w.data();
}

QByteArray Header(const QByteArray& name, int32_t nP, int32_t nQ)
{
    ByteWriter w;
    w.i32(static_cast<int32_t>(name.size()));
    w.bytes(name);
    w.i32(nP);
    w.i32(nQ);
    return w.data();
}

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

}  // namespace

TEST(ReducerFile, TwoByTwoAndThreeByFourRoundTripByteForByte)
{
    TestTempDir dir;
    // "РД" in Windows-1251.
    const QByteArray twoByTwo = kMark + Header("\xD0\xC4", 2, 2) +
                                Doubles({16.0, 60.0, 8.0, 32.0, 10.0, 100.0, 7.3, 0.0, 28.6, 8.0});
    const QByteArray threeByFour = kMark + Header("R-34", 3, 4) +
                                   Doubles({10, 20, 40.5, 5, 10, 30, 5, 20, 50, 80.25,  //
                                            4, 3, 2, 0, 8, 6, 4, 1, 20, 15, 9, 2.125});
    for (const QByteArray& bytes : {twoByTwo, threeByFour}) {
        const TReducerCharacter c = ReducerFile::Decode(bytes, QStringLiteral("a.rdc"));
        EXPECT_EQ(ReducerFile::Encode(c).toHex(), bytes.toHex());
        const QString path = dir.file(QStringLiteral("a.rdc"));
        ReducerFile::Write(path, c);
        EXPECT_EQ(ReadBytes(path), bytes);
        EXPECT_EQ(ReducerFile::Read(path), c);
    }
    const TReducerCharacter c = ReducerFile::Decode(twoByTwo, QStringLiteral("a.rdc"));
    EXPECT_EQ(c.Name, QStringLiteral("РД"));
    TReducerCharacter expected;
    expected.Name = c.Name;
    EXPECT_EQ(c, expected);
    EXPECT_EQ(ReducerFile::Decode(threeByFour, QStringLiteral("b.rdc")).Outlet(2, 3), 2.125);
}

TEST(ReducerFile, DamagedFilesAreRefusedWithTheirMessage)
{
    const QString notOurs = QStringLiteral("Файл x.rdc не содержит характеристик редуктора");
    const QString damaged = QStringLiteral("Ошибка при чтении данных из файла x.rdc");
    const QByteArray sound = kMark + Header("R", 2, 2) + Doubles({1, 2, 1, 2, 1, 2, 1, 0, 2, 1});
    struct Case {
        const char* what;
        QByteArray bytes;
        QString message;
    };
    const std::vector<Case> cases = {
        {"empty", QByteArray(), notOurs},
        {"short mark", kMark.left(15), notOurs},
        {"other mark", QByteArray(16, '\0') + sound.mid(16), notOurs},
        {"mark only", kMark, damaged},
        {"one double short", sound.left(sound.size() - 1), damaged},
        {"huge name", kMark + Header("", 0, 0).replace(0, 4, QByteArray::fromHex("FFFFFF7F")), damaged},
        {"huge counts", kMark + Header("R", 0x7FFFFFFF, 0x7FFFFFFF) + Doubles({1, 2, 3}), damaged},
        {"counts whose product wraps", kMark + Header("R", 0x10000, 0x10000) + Doubles({1}), damaged},
        {"negative count", kMark + Header("R", -1, 2) + Doubles({1, 2}), damaged},
        {"no pressure range", kMark + Header("R", 0, 2) + Doubles({10, 100}), damaged},
        {"no flow range", kMark + Header("R", 2, 0) + Doubles({1, 2, 1, 2}), damaged},
        {"nothing at all", kMark + Header("R", 0, 0), damaged},
    };
    for (const Case& c : cases) {
        try {
            ReducerFile::Decode(c.bytes, QStringLiteral("x.rdc"));
            ADD_FAILURE() << c.what << " was read";
        } catch (const EFileError& e) {
            EXPECT_EQ(e.Message(), c.message) << c.what;
            EXPECT_EQ(dynamic_cast<const ENotReducerFile*>(&e) != nullptr, c.message == notOurs) << c.what;
        }
    }
    EXPECT_NO_THROW(ReducerFile::Decode(sound, QStringLiteral("x.rdc")));
}
