#pragma once

// One running program per user: the first instance listens on a local socket named after the
// user; a later start with files hands them over as an "open" macro (core/shell/DdeMacro.h)
// and ends. The running instance accepts the same macro text as before ("[open(\"path\")]...",
// other commands ignored) and reports the paths through openRequested.
//
// Plugging in:
//   main.cpp, after reading the switches and before the main window:
//     const QStringList files = CommandLineFiles(arguments, QDir::currentPath());
//     SingleInstance instance;
//     if (!files.isEmpty() && instance.tryHandOver(files))
//         return 0;                                   // "irvata -DDE a.irv" or "irvata a.irv"
//     instance.listen();
//   TMainForm:
//     connect(&instance, &SingleInstance::openRequested, this, &TMainForm::OpenFiles);
//   (each path opened as from outside: an open window with the path is brought to the front).

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The largest macro accepted from a client.
    static constexpr qint64 kMaxMessageBytes = 4 * 1024 * 1024;

    // The per-user server name: "irvata-<uid>", with a mark of IRVATA_CONFIG_DIR when that is
    // set, so a program run on other settings (tests) does not answer for the user's own.
    static QString DefaultServerName();

    explicit SingleInstance(QObject* parent = nullptr);
    SingleInstance(const QString& serverName, QObject* parent);
    ~SingleInstance() override;

    const QString& serverName() const { return serverName_; }

    // Sends the files to a running instance; true when it took them. An empty list is not sent.
    bool tryHandOver(const QStringList& files, int timeoutMs = 2000) const;
    // Becomes the running instance; false when another one already listens. A socket left by a
    // program that died is removed first.
    bool listen();
    bool isListening() const;

signals:
    void openRequested(const QStringList& files);

private:
    void acceptConnections();
    void readClient(QLocalSocket* socket);

    QString serverName_;
    QLocalServer* server_ = nullptr;
};
