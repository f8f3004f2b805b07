#include "core/settings/StartupSwitches.h"

bool IsCommandLineSwitch(const QString& argument, QStringView name)
{
    if (argument.size() < 2)
        return false;
    const QChar prefix = argument[0];
    if (prefix != QLatin1Char('/') && prefix != QLatin1Char('-'))
        return false;
    return QStringView(argument).mid(1).compare(name, Qt::CaseInsensitive) == 0;
}

bool HasCommandLineSwitch(const QStringList& arguments, QStringView name)
{
    for (const QString& argument : arguments) {
        if (IsCommandLineSwitch(argument, name))
            return true;
    }
    return false;
}

StartupSwitch ParseStartupSwitch(const QStringList& arguments)
{
    if (HasCommandLineSwitch(arguments, u"INSTALL"))
        return StartupSwitch::Install;
    if (HasCommandLineSwitch(arguments, u"UNINSTALL"))
        return StartupSwitch::Uninstall;
    return StartupSwitch::None;
}
