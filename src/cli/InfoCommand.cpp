#include "CliSupport.h"
#include "Commands.h"

#include "core/file/NetworkFile.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Pipe.h"

#include <array>

// info FILE: a short summary of a network file.
int RunInfo(const QStringList& args)
{
    Cli::Arguments a(args, {});
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (a.Positional().size() != 1)
        return Cli::UsageError(QStringLiteral("info takes one file"));
    return Cli::Guarded([&] {
        const TNetworkDocument doc = NetworkFile::Read(a.Positional().first());
        const TMine& mine = *doc.Mine;
        std::array<int, kDeviceKindCount + 1> byKind{};
        int devices = 0;
        for (const TBranch* b : mine.Branches)
            for (const TPipe* p : b->Pipes)
                for (const TDevice* d : p->Devices) {
                    const int kind = d->GetKind();
                    if (kind >= 0 && kind <= kDeviceKindCount)
                        ++byKind[static_cast<size_t>(kind)];
                    ++devices;
                }
        QString text;
        text += QStringLiteral("Format version: 1.%1\n").arg(doc.Version);
        text += QStringLiteral("Mine: %1\n").arg(mine.Name());
        text += QStringLiteral("Nodes: %1\n").arg(mine.Uzels.Count());
        text += QStringLiteral("Branches: %1\n").arg(mine.Branches.Count());
        text += QStringLiteral("Devices: %1\n").arg(devices);
        for (int kind = 1; kind <= kDeviceKindCount; ++kind)
            text += QStringLiteral("  %1: %2\n").arg(TDevice::KindName(kind)).arg(byKind[static_cast<size_t>(kind)]);
        text += QStringLiteral("Seams: %1\n").arg(mine.Layers.Count());
        text += QStringLiteral("Plan positions: %1\n").arg(mine.PLFPositions.Count());
        text += QStringLiteral("Text blocks: %1\n").arg(mine.TextBlocks.Count());
        Cli::Out(text);
        return kExitOk;
    });
}
