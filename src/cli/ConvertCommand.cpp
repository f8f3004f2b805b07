#include "CliSupport.h"
#include "Commands.h"

#include "FormatOption.h"

#include "core/file/NetworkFile.h"

// convert IN OUT [--format 16|17]: reads any version, writes 17 or 16.
int RunConvert(const QStringList& args)
{
    Cli::Arguments a(args, {QStringLiteral("format")});
    const int version = Cli::WriteVersion(a);
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (a.Positional().size() != 2)
        return Cli::UsageError(QStringLiteral("convert takes an input and an output file"));
    return Cli::Guarded([&] {
        const TNetworkDocument doc = NetworkFile::Read(a.Positional()[0]);
        NetworkFile::Write(a.Positional()[1], *doc.Mine, doc.Settings, doc.BranchOrder, version);
        return kExitOk;
    });
}
