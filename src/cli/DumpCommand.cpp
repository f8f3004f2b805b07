#include "CliSupport.h"
#include "Commands.h"

#include "core/exchange/MineJson.h"
#include "core/file/NetworkFile.h"

// dump FILE: the whole document as JSON on standard output.
int RunDump(const QStringList& args)
{
    Cli::Arguments a(args, {});
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (a.Positional().size() != 1)
        return Cli::UsageError(QStringLiteral("dump takes one file"));
    return Cli::Guarded([&] {
        const TNetworkDocument doc = NetworkFile::Read(a.Positional().first());
        Cli::Out(MineJson::Dump(doc));
        return kExitOk;
    });
}
