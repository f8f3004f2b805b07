// irvata: the desktop program. Handles the start-up switches, then hands files to a running
// program or becomes the running one: settings, main window, files, and the settings written
// back at the end.

#include "core/settings/Config.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/StartupSwitches.h"
#include "ui/app/DesktopSession.h"
#include "ui/app/GuardedApplication.h"
#include "ui/app/QtTranslations.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

namespace {

int Fail(const QString& what)
{
    std::fprintf(stderr, "irvata: %s\n", what.toLocal8Bit().constData());
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QStringList switches;
    for (int i = 1; i < argc; ++i)
        switches << QString::fromLocal8Bit(argv[i]);

    // INSTALL and UNINSTALL open no window and need no display: a core application only.
    switch (ParseStartupSwitch(switches)) {
    case StartupSwitch::Install: {
        QCoreApplication app(argc, argv);
        TConfig config;
        config.ResetDefaults();
        if (!config.Save())
            return Fail(QStringLiteral("не удалось записать установки программы в %1")
                            .arg(config.UserStore().filePath()));
        return 0;
    }
    case StartupSwitch::Uninstall: {
        QCoreApplication app(argc, argv);
        TConfig config;
        if (!config.RemoveFromRegistry())
            return Fail(QStringLiteral("не удалось удалить установки программы из %1")
                            .arg(config.UserStore().filePath()));
        return 0;
    }
    case StartupSwitch::None:
        break;
    }

    // No exception thrown by a command ends the program and its unsaved documents.
    TGuardedApplication app(argc, argv);
    QApplication::setApplicationDisplayName(kApplicationTitle);
    InstallRussianQtTranslations(app);
    // The files are what is left once Qt has taken its own options (-platform, -style…).
    DesktopSession session(QApplication::arguments().mid(1));
    if (const std::optional<int> handedOver = session.Start())
        return *handedOver;
    return session.Run();
}
