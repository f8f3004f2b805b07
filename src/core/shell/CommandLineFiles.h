#pragma once

// The files named on the command line of the desktop program.

#include <QString>
#include <QStringList>

// The arguments that are no switch ("/" or "-" followed by DDE, INSTALL or UNINSTALL), as
// absolute paths resolved against the given folder (the current folder of the starting
// process, which the running program does not share).
QStringList CommandLineFiles(const QStringList& arguments, const QString& currentDir);
// True when the "DDE" switch is given: the files are meant for the running program.
bool HasDdeSwitch(const QStringList& arguments);
