#pragma once

// Finding an external program on the search path (the calculator of the "С&ервис" menu).

#include <QString>
#include <QStringList>

#include <functional>

// The calculator programs looked for, in order of preference.
const QStringList& CalculatorPrograms();

// The full path of the first candidate found in a folder of the PATH text (folders separated
// by ':'; an empty folder is the current one and is skipped), or empty. isExecutable decides
// whether a path is a runnable file; by default an executable regular file.
QString FindFirstProgram(const QStringList& candidates, const QString& pathVariable,
                         const std::function<bool(const QString&)>& isExecutable = {});

// The first calculator on this process's PATH, or empty.
QString FindCalculator();
