#pragma once

// One running program per user. The first start claims a per-user lock and listens on a local
// socket named after the user; a later start hands its files (or, without files, only the wish
// to see the program) to the running one as an "open" macro (core/shell/HandOverMessage.h) and
// ends once the running program has acknowledged them. The running program acknowledges a
// request as soon as it is queued: requests that arrive while the program is still starting
// (a first-run message on the screen, the main window not built yet) wait in the queue until
// setReady(), then come out of openRequested in the order they arrived.

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Claim {
        Running,  // this program is the running one and listens for later starts
        Another,  // another program holds the place: hand the files to it
        Failed,   // the place is free but the socket could not be opened: run alone
    };

    // The per-user server name: "irvata-<uid>", with a mark of the settings folder when one is
    // given (IRVATA_CONFIG_DIR), so a program run on other settings (tests) never answers for
    // the user's own.
    static QString ServerNameFor(const QString& configDir);
    static QString DefaultServerName();

    explicit SingleInstance(const QString& serverName = DefaultServerName(), QObject* parent = nullptr);
    ~SingleInstance() override;

    const QString& serverName() const { return serverName_; }

    // Takes the per-user lock and listens. A socket left behind by a program that died is
    // removed only while the lock is held, so a live program's socket is never taken away.
    Claim claim();
    bool isListening() const;

    // Sends the files to the running program and waits for its acknowledgement; true when it
    // took them. An empty list asks it to come to the front.
    bool tryHandOver(const QStringList& files, int timeoutMs = 10000) const;

    // From now on requests go out through openRequested; the queued ones go first.
    void setReady();
    const QList<QStringList>& queued() const { return queue_; }

signals:
    // The paths of one request (empty: only come to the front).
    void openRequested(const QStringList& files);

private:
    void acceptConnections();
    void readClient(QLocalSocket* socket);
    void deliver(const QStringList& files);

    QString serverName_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;  // a child of this object
    bool ready_ = false;
    QList<QStringList> queue_;
};
