#pragma once

// The command-line switches of the desktop program: "INSTALL" writes the default
// settings and "UNINSTALL" removes them; both end the program without a window.

#include <QStringList>
#include <QStringView>

enum class StartupSwitch { None, Install, Uninstall };

// True when one of the arguments is the switch: "/" or "-" followed by the name, in any letter
// case ("/install", "-UNINSTALL"). A bare name without the prefix is no switch.
bool HasCommandLineSwitch(const QStringList& arguments, QStringView name);
bool IsCommandLineSwitch(const QString& argument, QStringView name);

// The switch of the command line; "arguments" are those after the program name. When both
// switches are given, INSTALL wins (it is looked for first).
StartupSwitch ParseStartupSwitch(const QStringList& arguments);
