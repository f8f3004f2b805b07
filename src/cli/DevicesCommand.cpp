#include "CliSupport.h"
#include "Commands.h"

#include "core/devices/AllDevicesTable.h"
#include "core/file/NetworkFile.h"
#include "core/model/Mine.h"

// devices FILE [--pipe fire|drain|air|gas|all] [--kind NAME] [--consumers]: the all-devices
// table as its window shows it with every branch selected, ordered by number: the headings,
// then a line a device; fields are separated by tabs, so a tab or line break inside a field
// is written as a blank.
int RunDevices(const QStringList& args)
{
    Cli::Arguments a(args, {QStringLiteral("pipe"), QStringLiteral("kind")}, {QStringLiteral("consumers")});
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (a.Positional().size() != 1)
        return Cli::UsageError(QStringLiteral("devices takes one file"));
    TAllDevicesFilter filter;
    const QStringList pipes{QStringLiteral("fire"), QStringLiteral("drain"), QStringLiteral("air"), QStringLiteral("gas"),
                            QStringLiteral("all")};
    filter.PipeEntry = int(pipes.indexOf(a.Option(QStringLiteral("pipe")).value_or(QStringLiteral("fire"))));
    if (filter.PipeEntry < 0)
        return Cli::UsageError(QStringLiteral("--pipe must be one of fire|drain|air|gas|all"));
    if (const auto kind = a.Option(QStringLiteral("kind"))) {
        filter.KindCode = AllDevicesTable::KindCodeOf(*kind);
        if (filter.KindCode < 0)
            return Cli::UsageError(QStringLiteral("--kind: no such kind of equipment: %1").arg(*kind));
    }
    filter.OnlyConsumers = a.Flag(QStringLiteral("consumers"));
    return Cli::Guarded([&] {
        const TNetworkDocument doc = NetworkFile::Read(a.Positional()[0]);
        std::vector<TDevice*> devices =
            AllDevicesTable::Collect(AllDevicesTable::ListBranches(*doc.Mine, filter), filter, true);
        AllDevicesTable::Sort(devices, AllDevicesTable::TOrder::Number);
        auto line = [](QStringList fields) {
            for (QString& f : fields)
                f = f.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(QLatin1Char('\t'), QLatin1Char(' '))
                        .replace(QLatin1Char('\n'), QLatin1Char(' '));
            return fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
        };
        QString text = line(AllDevicesTable::Headings(filter.KindCode));
        for (size_t i = 0; i < devices.size(); ++i)
            text += line(AllDevicesTable::Cells(*devices[i], filter.KindCode, int(i) + 1));
        Cli::Out(text);
        return static_cast<int>(kExitOk);
    });
}
