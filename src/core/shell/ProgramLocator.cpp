#include "core/shell/ProgramLocator.h"

#include <QDir>
#include <QFileInfo>

const QStringList& CalculatorPrograms()
{
    static const QStringList programs = {
        QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),      QStringLiteral("galculator"),
        QStringLiteral("qalculate-gtk"),    QStringLiteral("qalculate-qt"), QStringLiteral("mate-calc"),
        QStringLiteral("speedcrunch"),      QStringLiteral("xcalc"),
    };
    return programs;
}

QString FindFirstProgram(const QStringList& candidates, const QString& pathVariable,
                         const std::function<bool(const QString&)>& isExecutable)
{
    const auto runnable = isExecutable ? isExecutable : [](const QString& path) {
        const QFileInfo info(path);
        return info.isFile() && info.isExecutable();
    };
    const QStringList folders = pathVariable.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& program : candidates)
        for (const QString& folder : folders) {
            // Only absolute folders: a relative one would depend on the current folder.
            if (!QDir::isAbsolutePath(folder))
                continue;
            const QString path = QDir(folder).filePath(program);
            if (runnable(path))
                return path;
        }
    return QString();
}

QString FindCalculator()
{
    return FindFirstProgram(CalculatorPrograms(), qEnvironmentVariable("PATH"));
}
