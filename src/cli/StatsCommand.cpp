#include "CliSupport.h"
#include "Commands.h"

#include "core/services/MineStatistics.h"
#include "core/file/NetworkFile.h"

#include <QDir>
#include <QFileInfo>

// stats FILE: the statistics window's rows, "caption<TAB>value" a line, captions as shown
// (leading blanks kept); the rows between groups are a lone tab.
int RunStats(const QStringList& args)
{
    Cli::Arguments a(args, {});
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (a.Positional().size() != 1)
        return Cli::UsageError(QStringLiteral("stats takes one file"));
    return Cli::Guarded([&] {
        const QString path = a.Positional()[0];
        const TNetworkDocument doc = NetworkFile::Read(path);
        const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
        QString text;
        for (const TStatisticsRow& row : MineStatistics::Rows(*doc.Mine, shown, doc.Version))
            text += row.Caption + QLatin1Char('\t') + row.Value + QLatin1Char('\n');
        Cli::Out(text);
        return static_cast<int>(kExitOk);
    });
}
