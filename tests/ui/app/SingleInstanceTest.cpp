#include "ui/app/SingleInstance.h"

#include "core/shell/HandOverMessage.h"
#include "ui/support/BesideEventLoop.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QUuid>

#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QString uniqueName()
{
    return QStringLiteral("irvata-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

// A second start runs in a process of its own; here a thread stands for it, so that this
// thread's event loop can answer.
bool handOverFromAnotherStart(const QString& name, const QStringList& files, int timeoutMs = 10000)
{
    return RunBesideEventLoop([&] { return SingleInstance(name).tryHandOver(files, timeoutMs); });
}

}  // namespace

TEST(SingleInstance, RequestsWaitUntilTheProgramIsReadyAndComeOutInOrder)
{
    const QString name = uniqueName();
    SingleInstance running(name);
    ASSERT_EQ(running.claim(), SingleInstance::Claim::Running);
    QSignalSpy spy(&running, &SingleInstance::openRequested);

    const QStringList first = {QStringLiteral("/data/шахта \"А\".irv"), QStringLiteral("/data/b.irv")};
    ASSERT_TRUE(handOverFromAnotherStart(name, first)) << "acknowledged while the program is still starting";
    ASSERT_TRUE(handOverFromAnotherStart(name, {})) << "a start without files is taken too";
    EXPECT_TRUE(spy.isEmpty()) << "nothing is opened before the main window exists";
    EXPECT_EQ(running.queued().size(), 2);

    running.setReady();
    ASSERT_EQ(spy.size(), 2);
    EXPECT_EQ(spy.at(0).first().toStringList(), first);
    EXPECT_EQ(spy.at(1).first().toStringList(), QStringList());

    // Once ready, a request goes out from the event loop.
    const QStringList later = {QStringLiteral("/data/c.irv")};
    ASSERT_TRUE(handOverFromAnotherStart(name, later));
    QElapsedTimer timer;
    timer.start();
    while (spy.size() < 3 && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(spy.size(), 3);
    EXPECT_EQ(spy.at(2).first().toStringList(), later);
}

TEST(SingleInstance, OnlyOneHoldsThePlaceAndItIsFreedWhenItGoes)
{
    const QString name = uniqueName();
    {
        SingleInstance first(name);
        ASSERT_EQ(first.claim(), SingleInstance::Claim::Running);
        SingleInstance second(name);
        EXPECT_EQ(second.claim(), SingleInstance::Claim::Another) << "a start at the same moment hands over";
        EXPECT_TRUE(first.isListening());
        EXPECT_FALSE(second.isListening());
    }
    SingleInstance next(name);
    EXPECT_EQ(next.claim(), SingleInstance::Claim::Running);
}

TEST(SingleInstance, ASocketLeftByADeadProgramDoesNotStopTheNextOne)
{
    const QString name = uniqueName();
    // A bound socket file that nobody listens on: what a crashed program leaves behind.
    const QByteArray path = QDir(QDir::tempPath()).filePath(name).toLocal8Bit();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(size_t(path.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    ASSERT_TRUE(QFileInfo::exists(QString::fromLocal8Bit(path)));

    SingleInstance next(name);
    EXPECT_EQ(next.claim(), SingleInstance::Claim::Running);
    EXPECT_TRUE(handOverFromAnotherStart(name, {QStringLiteral("/a.irv")}));
}

TEST(SingleInstance, NoAcknowledgementMeansTheFilesWereNotTaken)
{
    const QString name = uniqueName();
    // Something listens but never answers (a program that hangs).
    QLocalServer silent;
    ASSERT_TRUE(silent.listen(name));
    EXPECT_FALSE(handOverFromAnotherStart(name, {QStringLiteral("/a.irv")}, 300));

    // A wrong answer is no acknowledgement either.
    QObject::connect(&silent, &QLocalServer::newConnection, [&silent] {
        QLocalSocket* s = silent.nextPendingConnection();
        s->putChar('x');
        s->flush();
    });
    EXPECT_FALSE(handOverFromAnotherStart(name, {QStringLiteral("/a.irv")}, 2000));

    SingleInstance lonely(uniqueName());
    EXPECT_FALSE(lonely.tryHandOver({QStringLiteral("/a.irv")}, 200)) << "nobody runs";
}

TEST(SingleInstance, ARequestBeyondTheLimitIsDropped)
{
    const QString name = uniqueName();
    SingleInstance running(name);
    ASSERT_EQ(running.claim(), SingleInstance::Claim::Running);
    running.setReady();
    QSignalSpy spy(&running, &SingleInstance::openRequested);
    const bool hungUp = RunBesideEventLoop([&] {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (!socket.waitForConnected(5000))
            return false;
        const char huge[4] = {'\xff', '\xff', '\xff', '\x7f'};
        socket.write(huge, 4);
        socket.waitForBytesWritten(5000);
        // The program hangs up without an answer.
        return !socket.waitForReadyRead(5000) || socket.bytesAvailable() == 0;
    });
    EXPECT_TRUE(hungUp);
    EXPECT_TRUE(spy.isEmpty());
    EXPECT_TRUE(running.queued().isEmpty());
}

TEST(SingleInstance, ServerNameIsPerUserAndPerSettingsFolder)
{
    const QString plain = SingleInstance::ServerNameFor(QString());
    EXPECT_EQ(plain, QStringLiteral("irvata-%1").arg(getuid()));
    EXPECT_NE(SingleInstance::ServerNameFor(QStringLiteral("/tmp/a")), SingleInstance::ServerNameFor(QStringLiteral("/tmp/b")));
    EXPECT_TRUE(SingleInstance::ServerNameFor(QStringLiteral("/tmp/a")).startsWith(plain + QLatin1Char('-')));
}
