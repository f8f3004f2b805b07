#include "CliSupport.h"
#include "Commands.h"

#include "core/services/FreeNumberEntries.h"
#include "core/file/NetworkFile.h"

// numbers FILE --nodes|--branches|--devices [--no-tail]: the free-number chooser's entries,
// one a line. Nodes count the numbers of nodes and of every device as used (as the node
// table does), devices those of nodes and of the water-pipe devices, branches the branches'.
int RunNumbers(const QStringList& args)
{
    const QStringList kinds{QStringLiteral("nodes"), QStringLiteral("branches"), QStringLiteral("devices")};
    Cli::Arguments a(args, {}, kinds + QStringList{QStringLiteral("no-tail")});
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    int sources = 0;
    int chosen = 0;
    for (const auto& [name, flags] : {std::pair{kinds[0], nsUzels | nsWaterDevices | nsGasDevices},
                                      std::pair{kinds[1], static_cast<int>(nsBranches)},
                                      std::pair{kinds[2], nsUzels | nsWaterDevices}})
        if (a.Flag(name)) {
            sources = flags;
            ++chosen;
        }
    if (chosen != 1)
        return Cli::UsageError(QStringLiteral("numbers takes one of --nodes, --branches and --devices"));
    if (a.Positional().size() != 1)
        return Cli::UsageError(QStringLiteral("numbers takes one file"));
    return Cli::Guarded([&] {
        const TNetworkDocument doc = NetworkFile::Read(a.Positional()[0]);
        const auto entries = FreeNumberEntries::Entries(FreeNumberEntries::UsedNumbers(*doc.Mine, sources),
                                                        !a.Flag(QStringLiteral("no-tail")));
        QString text;
        for (const TFreeNumberEntry& e : entries)
            text += e.Caption + QLatin1Char('\n');
        Cli::Out(text);
        return static_cast<int>(kExitOk);
    });
}
