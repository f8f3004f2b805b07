// irvata: the desktop program. Handles the start-up switches, reads the settings, runs the main window.

#include "core/settings/Config.h"
#include "core/settings/StartupSwitches.h"
#include "core/shell/CommandLineFiles.h"
#include "ui/app/MainForm.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>

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
    // Reading the settings makes the source data folder current: names on the command line
    // are resolved against the folder the program was started in.
    const QStringList files = CommandLineFiles(arguments, QDir::currentPath());
    TConfig config;
    if (!config.Load()) {
        QString text = kConfigLoadFailedText;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QMessageBox::information(nullptr, kConfigLoadFailedCaption, text);
    }
    int result = 0;
    {
        TMainForm mainForm(config);
        mainForm.show();
        mainForm.OpenStartupFiles(files);
        result = app.exec();
    }
    config.Save();
    return result;
}
