// The desktop program's start in its real order, with the real program as the second start:
// files handed over while the first-run message is still on the screen are opened once the
// main window exists, and Qt's own options are never taken for file names.

#ifdef IRVATA_APP_PATH

#include "ui/document/DocumentTestSupport.h"

#include "ui/app/DesktopSession.h"
#include "ui/app/MainForm.h"

#include <QEventLoop>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSignalSpy>
#include <QTimer>

namespace {

class DesktopStartup : public DocumentTest {
protected:
    QString configDir() const { return QFileInfo(sandbox.userFile()).absolutePath(); }

    // Runs the program as a second start would be run, serving this thread's event loop
    // meanwhile (the running program here answers from it). Returns the exit status.
    int secondStart(const QStringList& arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("IRVATA_CONFIG_DIR"), configDir());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess process;
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(sandbox.root());
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
        QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        process.start(QStringLiteral(IRVATA_APP_PATH), arguments);
        loop.exec();
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
            return -1;
        }
        secondStartErrors = process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QByteArray secondStartErrors;
};

TEST_F(DesktopStartup, FilesHandedOverDuringTheFirstRunMessageOpenOnceTheWindowIsReady)
{
    const QString a = WriteMine(QStringLiteral("a.irv"), Line);
    const QString b = WriteMine(QStringLiteral("b.irv"), Line);
    DesktopSession session({}, std::make_unique<TConfig>(sandbox.places()), SingleInstance::ServerNameFor(configDir()));
    QSignalSpy requests(&session.Instance(), &SingleInstance::openRequested);

    int status = -1;
    bool windowExisted = true;
    int firstRunMessages = 0;
    MessageBoxes::SetInterceptor([&](const TMessageRecord& message) {
        if (message.Caption == kConfigLoadFailedCaption) {
            ++firstRunMessages;
            // The message waits for its button; meanwhile a second start sends two files,
            // Qt options among its arguments.
            windowExisted = session.MainWindow() != nullptr;
            status = secondStart({QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("-DDE"),
                                  QStringLiteral("a.irv"), b});
        }
        return TMsgAnswer::Ok;
    });
    ASSERT_FALSE(session.Start().has_value()) << "this one is the running program";
    EXPECT_EQ(firstRunMessages, 1);
    EXPECT_FALSE(windowExisted);
    EXPECT_EQ(status, 0) << "the second start ends once its files are queued: " << secondStartErrors.toStdString();

    TMainForm* main = session.MainWindow();
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests.first().first().toStringList(), QStringList({a, b})) << "relative names resolve in the starting folder";
    EXPECT_NE(main->FindDocument(a), nullptr);
    EXPECT_NE(main->FindDocument(b), nullptr);

    // A start without files brings the running program forward and ends; nothing new opens.
    EXPECT_EQ(secondStart({}), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(requests.size(), 2);
    EXPECT_EQ(main->Documents().size(), 2);
    ASSERT_TRUE(main->close());
}

}  // namespace

#endif  // IRVATA_APP_PATH
