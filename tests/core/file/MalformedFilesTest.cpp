#include "OldFormat.h"
#include "SampleNetwork.h"

#include "core/file/AtomicFile.h"
#include "core/file/ByteReader.h"
#include "core/file/FileError.h"
#include "core/file/MineStream.h"
#include "core/file/NetworkFile.h"
#include "core/file/VersionTable.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "support/LockedFolder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>

#include <QDir>

#include <functional>
#include <limits>

namespace {

const QString kReadError = QStringLiteral("Ошибка при чтении данных из файла сеть.irv");
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

QString MessageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const EFileError& e) {
        return e.Message();
    }
    return QStringLiteral("<no error>");
}

QString ReadBodyError(const QByteArray& body, int version = 17)
{
    return MessageOf([&] { NetworkFile::ReadBody(body, version, QStringLiteral("сеть.irv")); });
}

void WriteRaw(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(data.size(), f.write(data));
}

// A version-17 body with one branch whose fire-fighting pipe carries one device: its kind
// code and common part are written here, its block by `block`.
QByteArray WithDevice(int kind, double position, const std::function<void(OldFormat&)>& block)
{
    return BodyWith(17, 1, [&](OldFormat& f) {
        FireBranch(f, 1, [&](OldFormat& f) {
            f.DeviceHead(kind, 5, position);
            if (block)
                block(f);
        });
    });
}

// A version-17 body with one branch of the given pipes (kind per slot, no devices).
QByteArray WithPipes(const std::vector<int>& kinds)
{
    return BodyWith(17, 1, [&](OldFormat& f) {
        f.BranchHead(10, 1, 2, static_cast<int>(kinds.size()));
        for (int kind : kinds) {
            f.PipeHead(kind, 100);
            f.w.i32(0);
            if (kind == 3)
                f.GasTail();
            else
                f.WaterTail();
        }
    });
}

// A version-17 body with the single node that `node` writes and no branches.
QByteArray WithNode(const std::function<void(OldFormat&)>& node)
{
    OldFormat f(17);
    f.Columns();
    f.Settings();
    f.MineHead();
    f.w.i32(1);
    node(f);
    f.w.i32(0);
    f.w.i32(0);
    f.Tail({});
    return f.bytes();
}

Extended80 ExtendedNaN() { return Extended80{0xC000000000000000ull, 0x7FFF}; }

}  // namespace

// Every proper prefix of a valid body is refused with the read message, never a crash.
TEST(MalformedFiles, BodyCutAtEveryOffset)
{
    const SampleNetwork s = SampleNetwork::Make();
    const QByteArray body = NetworkFile::WriteBody(*s.mine, s.settings, s.order, 17);
    for (qsizetype n = 0; n < body.size(); ++n) {
        const QString message = ReadBodyError(body.left(n));
        if (message != kReadError) {
            ADD_FAILURE() << "cut at " << n << ": " << message.toStdString();
            break;
        }
    }
}

// The same for the mine stream of every version, at every fifth offset (each version starting
// at another one); the mine is left neither loading nor at the version it was reading.
TEST(MalformedFiles, MineStreamOfEveryVersionCutAtEveryOffset)
{
    const SampleNetwork s = SampleNetwork::Make();
    for (int version = 0; version <= 17; ++version) {
        ByteWriter w;
        MineStream::Write(w, *s.mine, version);
        const QByteArray stream = w.data();
        for (qsizetype n = version % 5; n < stream.size(); n += 5) {
            TMine mine;
            ByteReader r(QByteArrayView(stream).first(n));
            bool refused = false;
            try {
                MineStream::Read(r, mine, version);
            } catch (const EFileError& e) {
                refused = e.Kind() == fekTruncated || e.Kind() == fekMalformed;
            }
            if (!refused || mine.Loading() || mine.StreamVersion() != kCurrentStreamVersion) {
                ADD_FAILURE() << "version " << version << " cut at " << n;
                break;
            }
        }
    }
}

TEST(MalformedFiles, RecordsNoFileHolds)
{
    const auto gate = [](OldFormat& f) { f.w.boolean(true); };
    // Sanity: the unmodified pieces read.
    EXPECT_EQ(QStringLiteral("<no error>"), ReadBodyError(WithDevice(dkGate, 0.5, gate)));
    EXPECT_EQ(QStringLiteral("<no error>"), ReadBodyError(WithPipes({0, 1, 2, 3})));

    // Device kinds without a layout.
    EXPECT_EQ(kReadError, ReadBodyError(WithDevice(0, 0.5, gate)));
    EXPECT_EQ(kReadError, ReadBodyError(WithDevice(11, 0.5, gate)));
    EXPECT_EQ(kReadError, ReadBodyError(WithDevice(255, 0.5, gate)));

    // Pipes that do not fit their slots, and too few pipes.
    EXPECT_EQ(kReadError, ReadBodyError(WithPipes({0, 0, 2})));
    EXPECT_EQ(kReadError, ReadBodyError(WithPipes({3, 1, 2})));
    EXPECT_EQ(kReadError, ReadBodyError(WithPipes({0, 1, 2, 1})));
    EXPECT_EQ(kReadError, ReadBodyError(WithPipes({0, 1})));
    EXPECT_EQ(kReadError, ReadBodyError(WithPipes({})));

    // Numbers the model cannot compute with.
    EXPECT_EQ(kReadError, ReadBodyError(WithNode([](OldFormat& f) { f.Node(1, kNaN, 0, 0, 0, 0); })));
    EXPECT_EQ(kReadError, ReadBodyError(WithNode([](OldFormat& f) {
        f.Node(1, 0, 0, std::numeric_limits<double>::infinity(), 0, 0);
    })));
    EXPECT_EQ(kReadError, ReadBodyError(WithNode([](OldFormat& f) {
        f.Node(1, 0, 0, 0, std::numeric_limits<float>::quiet_NaN(), 0);
    })));
    EXPECT_EQ(kReadError, ReadBodyError(WithDevice(dkGate, kNaN, gate)));
    EXPECT_EQ(kReadError, ReadBodyError(BodyWith(17, 1, [](OldFormat& f) {
        f.BranchHead(10, 1, 2);
        f.PipeHead(0, 150, 0, 0, kNaN);
        f.w.i32(0);
        f.WaterTail();
        f.WaterPipe(1, 100);
        f.WaterPipe(2, 100);
    })));
    EXPECT_EQ(kReadError, ReadBodyError(BodyWith(17, 1, [](OldFormat& f) {
        f.BranchHead(10, 1, 2);
        f.PipeHead(0, 150);
        f.w.i32(0);
        f.WaterTail(true, kNaN);
        f.WaterPipe(1, 100);
        f.WaterPipe(2, 100);
    })));
    // A label offset that is not a number.
    QByteArray body = WithDevice(dkGate, 0.5, gate);
    {
        OldFormat plain(17);
        plain.Offset(15, -15);
        OldFormat nan(17);
        nan.w.ext80(ExtendedNaN());
        nan.w.ext80(Extended80::fromDouble(-15));
        nan.w.zeros(4);
        const qsizetype at = body.indexOf(plain.bytes());
        ASSERT_GE(at, 0);
        body.replace(at, 24, nan.bytes());
        EXPECT_EQ(kReadError, ReadBodyError(body));
    }

    // Counts and lengths larger than the data, or negative.
    EXPECT_EQ(kReadError, ReadBodyError(WithDevice(dkSlit, 0.5, [](OldFormat& f) { f.w.i32(-1); })));
    EXPECT_EQ(kReadError, ReadBodyError(WithDevice(dkSlit, 0.5, [](OldFormat& f) { f.w.i32(0x7FFFFFFF); })));
    EXPECT_EQ(kReadError, ReadBodyError(WithDevice(dkReducer, 0.5, [](OldFormat& f) {
        f.w.boolean(true);
        f.w.string(QString());
        f.w.i32(0x7FFFFFFF);
        f.w.i32(0x7FFFFFFF);
    })));
    EXPECT_EQ(kReadError, ReadBodyError(WithDevice(dkReducer, 0.5, [](OldFormat& f) {
        f.w.boolean(true);
        f.w.string(QString());
        f.w.i32(-2);
        f.w.i32(2);
    })));
    EXPECT_EQ(kReadError, ReadBodyError(BodyWith(17, 0x7FFFFFFF, {})));
    EXPECT_EQ(kReadError, ReadBodyError(BodyWith(17, -1, {})));
    EXPECT_EQ(kReadError, ReadBodyError(BodyWith(17, 1, [](OldFormat& f) {
        f.BranchHead(10, 1, 2, 3);
        f.w.i32(0x7FFFFFFF);  // a remark longer than the data
    })));
}

TEST(MalformedFiles, PositionsOutsideTheBranchAreClamped)
{
    for (double stored : {1.5, -0.5}) {
        const TNetworkDocument doc = NetworkFile::ReadBody(
            WithDevice(dkGate, stored, [](OldFormat& f) { f.w.boolean(false); }), 17, QStringLiteral("x.irv"));
        EXPECT_EQ(stored > 1 ? 1.0 : 0.0, doc.Mine->Branches.Items(0)->FirePipe()->Devices.Items(0)->Position());
    }
    const TNetworkDocument doc = NetworkFile::ReadBody(BodyWith(17, 1, [](OldFormat& f) {
        f.BranchHead(10, 1, 2);
        f.PipeHead(0, 150, 0, -0.25, 2.0);
        f.w.i32(0);
        f.WaterTail();
        f.WaterPipe(1, 100);
        f.WaterPipe(2, 100);
    }), 17, QStringLiteral("x.irv"));
    const TPipe* fire = doc.Mine->Branches.Items(0)->FirePipe();
    EXPECT_EQ(0.0, fire->StartFrac());
    EXPECT_EQ(1.0, fire->EndFrac());
}

TEST(MalformedFiles, ContainerFailures)
{
    TestTempDir dir;
    const QString path = dir.file(QStringLiteral("сеть.irv"));
    const SampleNetwork s = SampleNetwork::Make();
    NetworkFile::Write(path, *s.mine, s.settings, s.order, 17);
    const QByteArray good = ReadWholeFile(path);

    QByteArray unknown = good;
    unknown[3] = static_cast<char>(unknown[3] ^ 0x40);
    WriteRaw(path, unknown);
    EXPECT_EQ(QStringLiteral("Файл сеть.irv имеет неизвестный программе формат или поврежден"),
              MessageOf([&] { NetworkFile::Read(path); }));

    WriteRaw(path, good.left(10));
    EXPECT_EQ(kReadError, MessageOf([&] { NetworkFile::Read(path); }));
    WriteRaw(path, good.left(20));
    EXPECT_EQ(kReadError, MessageOf([&] { NetworkFile::Read(path); }));

    // A compressed body cut short, or one that gives fewer bytes than announced.
    WriteRaw(path, good.left(good.size() / 2));
    EXPECT_EQ(QStringLiteral("ZLib error: target buffer may be too small"), MessageOf([&] { NetworkFile::Read(path); }));
    QByteArray longer = good;
    ByteWriter size;
    size.i32(ByteReader(good.sliced(16, 4)).i32() + 1);
    longer.replace(16, 4, size.data());
    WriteRaw(path, longer);
    EXPECT_EQ(QStringLiteral("ZLib error: target buffer may be too small"), MessageOf([&] { NetworkFile::Read(path); }));

    EXPECT_EQ(QStringLiteral("Ошибка при открытии файла нет.irv"),
              MessageOf([&] { NetworkFile::Read(dir.file(QStringLiteral("нет.irv"))); }));
}

TEST(MalformedFiles, FailedSaveKeepsTheOldFile)
{
    TestTempDir dir;
    const QString folder = dir.file(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkdir(folder));
    const QString path = folder + QStringLiteral("/сеть.irv");
    WriteRaw(path, "old content");
    const SampleNetwork s = SampleNetwork::Make();
    QString message;
    {
        LockedFolder lock(folder);
        if (!lock.locked())
            GTEST_SKIP() << "the folder cannot be locked here";
        message = MessageOf([&] { NetworkFile::Write(path, *s.mine, s.settings, s.order, 17); });
    }
    EXPECT_EQ(QStringLiteral("Ошибка при создании файла сеть.irv"), message);
    EXPECT_EQ(QByteArray("old content"), ReadWholeFile(path));
}
