#include "support/TempDir.h"

#include "core/equipment/PumpCurve.h"
#include "core/equipment/PumpFile.h"
#include "core/file/Cp1251.h"
#include "core/file/FileError.h"

#include <QFile>
#include <gtest/gtest.h>

#include <clocale>

namespace {

const QByteArray kKnownFile = QByteArrayLiteral(
    "[Pump]\r\n"
    "\xca-90\r\n"  // К-90 in the single-byte code page
    "    0.0   500.0     0.0  1000.0\r\n"
    "3\r\n"
    "100.000  80.000  40.000 \r\n"
    "  0.000 100.000 200.000 \r\n");

std::unique_ptr<TPumpStore> Decode(const QByteArray& bytes)
{
    return PumpFile::Decode(bytes, QStringLiteral("/db/a.pmp"));
}

QString Refusal(const QByteArray& bytes)
{
    try {
        Decode(bytes);
    } catch (const EFileError& e) {
        return e.Message();
    }
    return {};
}

}  // namespace

TEST(PumpFile, WriterReproducesTheKnownFileWhateverTheLocale)
{
    TPumpStore store(QStringLiteral("К-90"));
    for (TBasePoint p : {TBasePoint{200, 40}, TBasePoint{0, 100}, TBasePoint{100, 80}})
        store.InsertPoint(p);
    const char* before = std::setlocale(LC_NUMERIC, "ru_RU.UTF-8");
    const QByteArray written = PumpFile::Encode(store);
    if (before)
        std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(written, kKnownFile);

    const auto read = Decode(kKnownFile);
    EXPECT_EQ(read->Name, QStringLiteral("К-90"));
    EXPECT_EQ(read->Range(prMaxQ), 500);
    EXPECT_EQ(read->Range(prMaxH), 1000);
    EXPECT_EQ(read->Points().Points(), store.Points().Points());
    EXPECT_EQ(read->Points().Coefs().Count(), 2);
    EXPECT_EQ(PumpFile::Encode(*read), kKnownFile);
}

TEST(PumpFile, WideValuesRepeatedBlocksAndLooseLines)
{
    const auto store = Decode(QByteArrayLiteral(
        "[Pump]\n  Wide  \n0 5000 -1.5e1 2000\n"
        "2\n1500.500 1200.000 \n1000.000 2000.000 \n"
        "1\r\n 900.25\r\n+3000\r\n\r\n\r\n"));
    EXPECT_EQ(store->Name, QStringLiteral("Wide"));
    EXPECT_EQ(store->Range(prMinH), -15);
    EXPECT_EQ(store->Points().Points(), (std::vector<TBasePoint>{{1000, 1500.5}, {2000, 1200}, {3000, 900.25}}));
    EXPECT_EQ(store->Points().Coefs().Count(), 2) << "resumed after the last block";
    const QByteArray written = PumpFile::Encode(*store);
    EXPECT_TRUE(written.contains("1500.500 1200.000 900.250 \r\n1000.000 2000.000 3000.000 \r\n"));
    EXPECT_TRUE(written.startsWith("[Pump]\r\nWide\r\n    0.0  5000.0   -15.0  2000.0\r\n3\r\n"));

    const auto empty = Decode(QByteArrayLiteral("[Pump]\r\nE\r\n0 1 0 1\r\n0\r\n\r\n\r\n"));
    EXPECT_EQ(empty->Points().Count(), 0);
}

TEST(PumpFile, DamagedAndForeignFilesAreRefusedWithTheirPath)
{
    const QString damaged = QStringLiteral("Ошибка при чтении файла /db/a.pmp");
    EXPECT_EQ(Refusal("MZ\x90\0binary"), PumpFile::NotAPumpFileText(QStringLiteral("/db/a.pmp")));
    EXPECT_EQ(Refusal(""), PumpFile::NotAPumpFileText(QStringLiteral("/db/a.pmp")));
    for (const QByteArray& bad : {
             QByteArrayLiteral("[Pump]\r\nA\r\n"),                              // no ranges
             QByteArrayLiteral("[Pump]\r\nA\r\n0 1 0\r\n"),                     // three ranges
             QByteArrayLiteral("[Pump]\r\nA\r\n0 1 0 1,5\r\n"),                 // a comma
             QByteArrayLiteral("[Pump]\r\nA\r\n0 1 0 1\r\n2\r\n1 2\r\n"),       // no flows line
             QByteArrayLiteral("[Pump]\r\nA\r\n0 1 0 1\r\n3\r\n1 2\r\n1 2\r\n"),  // short lines
             QByteArrayLiteral("[Pump]\r\nA\r\n0 1 0 1\r\n-1\r\n\r\n\r\n"),
             QByteArrayLiteral("[Pump]\r\nA\r\n0 1 0 1\r\n99999999999\r\n1\r\n1\r\n"),
             QByteArrayLiteral("[Pump]\r\nA\r\n0 1 0 1\r\n1\r\nnan\r\n1\r\n"),
             QByteArrayLiteral("[Pump]\r\nA\r\n0 1 0 1\r\n1\r\n1e300\r\n1\r\n"),
         })
        EXPECT_EQ(Refusal(bad), damaged) << bad.toStdString();
}

TEST(PumpFile, FilesOnDisk)
{
    TestTempDir dir;
    const QString missing = dir.file(QStringLiteral("none.pmp"));
    try {
        PumpFile::Read(missing);
        ADD_FAILURE();
    } catch (const EFileError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Отсутствует файл ") + missing);
    }
    TPumpStore store(QStringLiteral("b"));
    PumpFile::Write(store, dir.file(QStringLiteral("b.pmp")));
    EXPECT_EQ(PumpFile::Read(dir.file(QStringLiteral("b.pmp")))->SourceFile, dir.file(QStringLiteral("b.pmp")));
    const QString unwritable = dir.file(QStringLiteral("no/such/b.pmp"));
    try {
        PumpFile::Write(store, unwritable);
        ADD_FAILURE();
    } catch (const EFileError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Ошибка при записи файла") + unwritable);
    }
}
