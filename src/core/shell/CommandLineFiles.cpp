#include "core/shell/CommandLineFiles.h"

#include "core/settings/StartupSwitches.h"

#include <QDir>

QStringList CommandLineFiles(const QStringList& arguments, const QString& currentDir)
{
    QStringList files;
    const QDir base(currentDir);
    for (const QString& argument : arguments) {
        if (argument.isEmpty() || IsCommandLineSwitch(argument, u"DDE") || IsCommandLineSwitch(argument, u"INSTALL")
            || IsCommandLineSwitch(argument, u"UNINSTALL"))
            continue;
        files << QDir::cleanPath(base.absoluteFilePath(argument));
    }
    return files;
}

bool HasDdeSwitch(const QStringList& arguments)
{
    return HasCommandLineSwitch(arguments, u"DDE");
}
