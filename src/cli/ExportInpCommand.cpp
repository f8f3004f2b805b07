#include "CliSupport.h"
#include "Commands.h"

#include "core/checks/MessageList.h"
#include "core/file/NetworkFile.h"
#include "core/hydraulics/HydroCalculation.h"
#include "core/hydraulics/InpWriter.h"
#include "core/model/Mine.h"

// export-inp FILE OUT.inp
//
// The hydraulic calculation of the fire-fighting pipe (the pipeline check, the network, the
// solve), then the network with its solution as an EPANET input file, written atomically.
// A mine the check refuses or a calculation that does not converge writes nothing: status 2
// and the reason on standard error.
int RunExportInp(const QStringList& args)
{
    Cli::Arguments a(args, {});
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (a.Positional().size() != 2)
        return Cli::UsageError(QStringLiteral("export-inp takes a network file and an output file"));

    return Cli::Guarded([&] {
        TNetworkDocument doc = NetworkFile::Read(a.Positional().first());
        TCheckOptions options;
        options.ShowWarnings = false;
        options.UseProjectedPipes = doc.Settings.UseProjectedPipes;
        TMessageList list;
        THydroCalculation calc;
        if (calc.Prepare(*doc.Mine, list, options))
            calc.Solve();
        if (!calc.Prepared() || !calc.Solution().Solved || !calc.Converged()) {
            if (calc.Prepared())
                calc.Finish(*doc.Mine, list);  // words the failure of the solve
            Cli::Err(calc.Failure());
            return kExitFile;
        }

        // The same network again with the names of its junctions and links; the solve did
        // not need them.
        TFireNetworkOptions named;
        named.UseProjectedPipes = options.UseProjectedPipes;
        named.Names = true;
        Hydro::TNetwork network = calc.Network().Network;
        const TFireNetwork withNames = TFireNetwork::Build(*doc.Mine, named);
        if (withNames.Network.Junctions.size() == network.Junctions.size() &&
            withNames.Network.Links.size() == network.Links.size()) {
            network.JunctionNames = withNames.Network.JunctionNames;
            network.LinkNames = withNames.Network.LinkNames;
        }
        Hydro::WriteInpFile(a.Positional().at(1), network, calc.Solution(), doc.Mine->Name());
        return kExitOk;
    });
}
