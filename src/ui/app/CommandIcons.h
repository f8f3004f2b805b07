#pragma once

#include <QIcon>
#include <QString>

// Pictures of the toolbar commands drawn by the program itself, so the toolbars look the same
// whatever icon theme the desktop has (or none, as on a bare X server). Null for a command
// that has no drawn picture.
QIcon DrawnCommandIcon(const QString& commandName);

// The program's own picture (the same as its desktop icon), for its windows.
QIcon DrawnApplicationIcon();
