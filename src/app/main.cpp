// irvata: the desktop program. Handles the start-up switches, hands files to a running
// program, reads the settings, runs the main window and writes the settings back.

#include "core/settings/Config.h"
#include "core/settings/StartupSwitches.h"
#include "core/shell/CommandLineFiles.h"
#include "ui/app/HelpViewer.h"
#include "ui/app/MainForm.h"
#include "ui/app/SingleInstance.h"
#include "ui/app/Startup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    // INSTALL and UNINSTALL open no window and need no display: a core application only.
    switch (ParseStartupSwitch(arguments)) {
    case StartupSwitch::Install: {
        QCoreApplication app(argc, argv);
        TConfig config;
        config.ResetDefaults();
        config.Save();
        return 0;
    }
    case StartupSwitch::Uninstall: {
        QCoreApplication app(argc, argv);
        TConfig config;
        config.RemoveFromRegistry();
        return 0;
    }
    case StartupSwitch::None:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(kApplicationTitle);
    // Names on the command line are resolved against the folder the program was started in
    // (reading the settings makes the source data folder current).
    const QStringList files = CommandLineFiles(arguments, QDir::currentPath());

    // A program already running takes the files ("irvata -DDE a.irv" or "irvata a.irv").
    SingleInstance instance;
    if (!files.isEmpty() && instance.tryHandOver(files))
        return 0;
    instance.listen();

    TConfig config;
    LoadStartupSettings(config);
    int result = 0;
    {
        TMainForm mainForm(config);
        QObject::connect(&instance, &SingleInstance::openRequested, &mainForm, &TMainForm::OpenPaths);
        // The run ends with the main window, whatever other windows (help) are open.
        QApplication::setQuitOnLastWindowClosed(false);
        QObject::connect(&mainForm, &TMainForm::Closed, &app, [] {
            if (HelpViewer* help = HelpViewer::Instance())
                help->close();
            QCoreApplication::quit();
        });
        mainForm.show();
        mainForm.OpenStartupFiles(files);
        result = app.exec();
    }
    config.Save();
    return result;
}
