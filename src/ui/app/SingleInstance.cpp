#include "ui/app/SingleInstance.h"

#include "core/shell/DdeMacro.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <QtEndian>

#include <unistd.h>

// A message is a 32-bit little-endian byte count followed by the macro in UTF-8.
namespace {

constexpr qint64 kHeaderBytes = 4;

}  // namespace

QString SingleInstance::DefaultServerName()
{
    QString name = QStringLiteral("irvata-%1").arg(getuid());
    const QString configDir = qEnvironmentVariable("IRVATA_CONFIG_DIR");
    if (!configDir.isEmpty())
        name += QLatin1Char('-')
                + QString::fromLatin1(QCryptographicHash::hash(configDir.toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
    return name;
}

SingleInstance::SingleInstance(QObject* parent) : SingleInstance(DefaultServerName(), parent) {}

SingleInstance::SingleInstance(const QString& serverName, QObject* parent) : QObject(parent), serverName_(serverName) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::tryHandOver(const QStringList& files, int timeoutMs) const
{
    if (files.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(timeoutMs))
        return false;

    const QByteArray macro = BuildOpenMacro(files).toUtf8();
    if (macro.size() > kMaxMessageBytes)
        return false;
    QByteArray message(kHeaderBytes, '\0');
    qToLittleEndian<quint32>(quint32(macro.size()), message.data());
    message += macro;
    if (socket.write(message) != message.size())
        return false;
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(timeoutMs))
            return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(timeoutMs);
    return true;
}

bool SingleInstance::listen()
{
    if (server_)
        return server_->isListening();
    // Someone answers: that one is the running instance.
    {
        QLocalSocket probe;
        probe.connectToServer(serverName_);
        if (probe.waitForConnected(500)) {
            probe.abort();
            return false;
        }
    }
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(serverName_)) {
        // Nobody answered, so the socket file is left over from a program that died.
        QLocalServer::removeServer(serverName_);
        if (!server_->listen(serverName_)) {
            delete server_;
            server_ = nullptr;
            return false;
        }
    }
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return true;
}

bool SingleInstance::isListening() const { return server_ && server_->isListening(); }

void SingleInstance::acceptConnections()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readClient(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, [this, socket] {
            // Data that came with the disconnection.
            readClient(socket);
            socket->deleteLater();
        });
        readClient(socket);
    }
}

void SingleInstance::readClient(QLocalSocket* socket)
{
    if (socket->bytesAvailable() < kHeaderBytes)
        return;
    QByteArray header = socket->peek(kHeaderBytes);
    const qint64 length = qFromLittleEndian<quint32>(header.constData());
    if (length > kMaxMessageBytes) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < kHeaderBytes + length)
        return;
    socket->read(kHeaderBytes);
    const QString macro = QString::fromUtf8(socket->read(length));
    // One message per connection.
    socket->disconnect(this);
    socket->disconnectFromServer();
    const QStringList paths = OpenPathsFromMacro(macro);
    if (!paths.isEmpty())
        emit openRequested(paths);
}
