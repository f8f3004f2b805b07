#include "ui/app/SingleInstance.h"

#include "core/shell/DdeMacro.h"
#include "core/shell/HandOverMessage.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

#include <algorithm>
#include <utility>

#include <unistd.h>

namespace {

// How long a start keeps trying to reach a program that holds the lock but is not listening
// yet (it takes the lock a moment before it listens).
constexpr int kConnectPatienceMs = 3000;

}  // namespace

QString SingleInstance::ServerNameFor(const QString& configDir)
{
    QString name = QStringLiteral("irvata-%1").arg(getuid());
    if (!configDir.isEmpty())
        name += QLatin1Char('-')
                + QString::fromLatin1(QCryptographicHash::hash(configDir.toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
    return name;
}

QString SingleInstance::DefaultServerName()
{
    return ServerNameFor(qEnvironmentVariable("IRVATA_CONFIG_DIR"));
}

SingleInstance::SingleInstance(const QString& serverName, QObject* parent) : QObject(parent), serverName_(serverName) {}

SingleInstance::~SingleInstance()
{
    // The socket goes before the lock, so the next program finds no socket of ours.
    if (server_)
        server_->close();
}

SingleInstance::Claim SingleInstance::claim()
{
    if (isListening())
        return Claim::Running;
    auto lock = std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(serverName_ + QStringLiteral(".lock")));
    // A lock of a program that died is taken over at once (its process is gone).
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return lock->error() == QLockFile::LockFailedError ? Claim::Another : Claim::Failed;
    lock_ = std::move(lock);

    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(serverName_)) {
        // The lock is ours, so a socket under the name belongs to a program that died.
        QLocalServer::removeServer(serverName_);
        if (!server->listen(serverName_)) {
            server->deleteLater();
            return Claim::Failed;
        }
    }
    server_ = server;
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return Claim::Running;
}

bool SingleInstance::isListening() const { return server_ && server_->isListening(); }

bool SingleInstance::tryHandOver(const QStringList& files, int timeoutMs) const
{
    const QByteArray request = HandOver::EncodeRequest(BuildOpenMacro(files));
    if (request.isEmpty())
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    const QDeadlineTimer connectDeadline(std::min(timeoutMs, kConnectPatienceMs));
    QLocalSocket socket;
    for (;;) {
        socket.connectToServer(serverName_);
        if (socket.waitForConnected(int(std::max<qint64>(1, connectDeadline.remainingTime()))))
            break;
        if (connectDeadline.hasExpired())
            return false;
        // Not listening yet: the program that holds the lock is still starting.
        QThread::msleep(50);
    }
    if (socket.write(request) != request.size())
        return false;
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(int(std::max<qint64>(1, deadline.remainingTime()))))
            return false;
    // Only the acknowledgement tells that the files will be opened.
    while (socket.bytesAvailable() < 1)
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime()))))
            return false;
    char answer = 0;
    return socket.getChar(&answer) && answer == HandOver::kAcknowledged;
}

void SingleInstance::setReady()
{
    ready_ = true;
    const QList<QStringList> queued = std::exchange(queue_, {});
    for (const QStringList& files : queued)
        emit openRequested(files);
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readClient(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        readClient(socket);
    }
}

void SingleInstance::readClient(QLocalSocket* socket)
{
    QString macro;
    qsizetype consumed = 0;
    switch (HandOver::DecodeRequest(socket->peek(socket->bytesAvailable()), &macro, &consumed)) {
    case HandOver::DecodeStatus::Incomplete:
        return;
    case HandOver::DecodeStatus::Refused:
        socket->abort();
        return;
    case HandOver::DecodeStatus::Complete:
        break;
    }
    // One request per connection.
    socket->read(consumed);
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    const QStringList paths = OpenPathsFromMacro(macro);
    queue_.append(paths);
    socket->putChar(HandOver::kAcknowledged);
    socket->flush();
    socket->disconnectFromServer();
    // Opened from the event loop, not inside the socket's handler.
    if (ready_)
        QMetaObject::invokeMethod(this, &SingleInstance::setReady, Qt::QueuedConnection);
}
