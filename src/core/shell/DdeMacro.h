#pragma once

// The "open" macro by which files are handed to the running program: commands in square
// brackets, each a name with an optional argument in parentheses, e.g.
//     [open("/home/user/шахта 1.irv")][open("/tmp/b.irv")]
// A double-quoted argument may hold \" for a quote and \\ for a backslash (any other backslash
// stays as it is). Commands are taken one after another; names are compared without regard to
// case; damaged commands are skipped up to their closing bracket.

#include <QString>
#include <QStringList>

#include <vector>

struct MacroCommand {
    QString name;
    QString argument;
    bool hasArgument = false;

    bool operator==(const MacroCommand&) const = default;
};

std::vector<MacroCommand> ParseMacro(const QString& macro);
// The paths of the "open" commands, in order; other commands and empty paths are ignored.
QStringList OpenPathsFromMacro(const QString& macro);
// A macro that opens the files, quoting every path.
QString BuildOpenMacro(const QStringList& paths);
