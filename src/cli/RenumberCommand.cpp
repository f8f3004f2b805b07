#include "CliSupport.h"
#include "Commands.h"

#include "core/services/DeviceRenumbering.h"
#include "core/file/NetworkFile.h"
#include "core/file/VersionTable.h"

// renumber IN OUT --after-max | --fill: new numbers for the devices of the fire-fighting
// pipes; a mine without such devices is refused and OUT is not written.
int RunRenumber(const QStringList& args)
{
    Cli::Arguments a(args, {}, {QStringLiteral("after-max"), QStringLiteral("fill")});
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (a.Flag(QStringLiteral("after-max")) == a.Flag(QStringLiteral("fill")))
        return Cli::UsageError(QStringLiteral("renumber takes one of --after-max and --fill"));
    if (a.Positional().size() != 2)
        return Cli::UsageError(QStringLiteral("renumber takes an input and an output file"));
    const auto mode = a.Flag(QStringLiteral("fill")) ? DeviceRenumbering::TMode::FillFree
                                                    : DeviceRenumbering::TMode::AfterMaximum;
    return Cli::Guarded([&] {
        const TNetworkDocument doc = NetworkFile::Read(a.Positional()[0]);
        DeviceRenumbering::Renumber(*doc.Mine, mode);
        const int version = doc.Version == kOlderFileVersion ? kOlderFileVersion : kCurrentFileVersion;
        NetworkFile::Write(a.Positional()[1], *doc.Mine, doc.Settings, doc.BranchOrder, version);
        return static_cast<int>(kExitOk);
    });
}
