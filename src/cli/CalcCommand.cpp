#include "CliSupport.h"
#include "Commands.h"

#include "core/checks/MessageList.h"
#include "core/exchange/JsonWriter.h"
#include "core/exchange/ResultsText.h"
#include "core/file/NetworkFile.h"
#include "core/file/VersionTable.h"
#include "core/hydraulics/HydroCalculation.h"
#include "core/model/Branch.h"
#include "core/model/DeviceKinds.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"
#include "core/tables/TableCells.h"
#include "core/tables/TableColumns.h"

#include <algorithm>

namespace {

// The sections table in the type order of its columns, with their decimals.
QString SectionsText(const THydroResults& results)
{
    const std::vector<TColumnDef>& defs = TableColumns::Defs(TTableKind::Results);
    std::vector<TColumnDef> ordered(defs.begin(), defs.end());
    std::sort(ordered.begin(), ordered.end(), [](const TColumnDef& a, const TColumnDef& b) { return a.Param < b.Param; });
    QString text;
    for (const THydroBranch& row : results.Sections) {
        QStringList cells;
        for (const TColumnDef& def : ordered)
            cells << ResultsText::CellText(row, def.Param, def.Decimals);
        text += cells.join(u'\t') + u'\n';
    }
    return text;
}

QString HydrantsText(const THydroResults& results)
{
    QString text = QStringLiteral("# plates\n");
    for (const TWasherRow& w : results.Washers)
        text += ResultsText::WasherCells(w).join(u'\t') + u'\n';
    text += QStringLiteral("# shortages\n");
    for (const TLowerRow& l : results.Lowers)
        text += ResultsText::LowerCells(l).join(u'\t') + u'\n';
    return text;
}

QByteArray Json(const THydroResults& results)
{
    JsonWriter w;
    w.BeginObject();
    w.Member("converged", results.Converged);
    w.Member("iterations", results.Iterations);
    w.Key("sections");
    w.BeginArray();
    for (const THydroBranch& row : results.Sections) {
        const TWaterPipePart& s = *row.Section;
        const TSectionResult& v = row.Values;
        const auto* pipe = dynamic_cast<const TWaterPipe*>(s.OwnerPipeOf());
        w.BeginObject(true);
        w.Member("branch", row.Branch->Number());
        w.Member("start_node", s.SectionEndNumbers(1));
        w.Member("end_node", s.SectionEndNumbers(2));
        w.Member("length", s.SectionLength());
        w.Member("k", pipe ? pipe->K() : 0.0);
        w.Member("q", v.Q);
        w.Member("v", s.SectionVelocity(v.Q));
        w.Member("d", pipe ? pipe->Diameter() : 0);
        w.Member("i100", s.SectionGradient(v.R, v.Q));
        w.Member("r", v.R);
        w.Member("dz", s.SectionDZ());
        w.Member("p1", v.P1);
        w.Member("p2", v.P2);
        w.Member("h", v.DeltaP);
        w.EndObject();
    }
    w.EndArray();
    w.Key("plates");
    w.BeginArray();
    for (const TWasherRow& p : results.Washers) {
        w.BeginObject(true);
        w.Member("hydrant", p.Hydrant->Number());
        w.Member("pressure", p.Pressure);
        w.Member("excess", p.Excess());
        w.Member("washer", p.Washer);
        w.Member("size", TCrane::WasherSize(p.Washer));
        w.Member("drop", p.Drop());
        w.Member("after", p.After());
        w.EndObject();
    }
    w.EndArray();
    w.Key("shortages");
    w.BeginArray();
    for (const TLowerRow& l : results.Lowers) {
        w.BeginObject(true);
        w.Member("hydrant", l.Hydrant->Number());
        w.Member("pressure", l.Pressure);
        w.Member("shortage", l.Shortage());
        w.EndObject();
    }
    w.EndArray();
    w.Key("nodes");
    w.BeginArray();
    for (const TUzelResult& u : results.Uzels) {
        w.BeginObject(true);
        w.Member("number", u.Uzel->Number());
        w.Member("head", u.Head);
        w.Member("pressure", u.Pressure);
        w.EndObject();
    }
    w.EndArray();
    w.Key("devices");
    w.BeginArray();
    for (const TDeviceResult& d : results.Devices) {
        w.BeginObject(true);
        w.Member("kind", d.Device->GetKind());
        w.Member("number", d.Device->Number());
        w.Member("p_before", d.PBefore);
        w.Member("p_after", d.PAfter);
        w.Member("q", d.Q);
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    return w.Take();
}

// The lines of the list that tell why there are no results.
QString ErrorLines(const TMessageList& list)
{
    QString text;
    for (const TMessageLine& line : list.Lines())
        if (line.Text.startsWith(QStringLiteral("> [")))
            text += line.Text + u'\n';
    return text;
}

}  // namespace

// calc FILE [--json] [--out OUT.irv] [--no-warnings] [--projected | --no-projected]
//
// The pipeline check and the hydraulic calculation of the fire-fighting pipe. Exit 0 when
// the calculation converged; 2 with the check's or the solver's message on standard error
// when it did not, or a file could not be read or written.
int RunCalc(const QStringList& args)
{
    Cli::Arguments a(args, {QStringLiteral("out")}, {QStringLiteral("json"), QStringLiteral("no-warnings"),
                                                      QStringLiteral("projected"), QStringLiteral("no-projected")});
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (a.Positional().size() != 1)
        return Cli::UsageError(QStringLiteral("calc takes one file"));
    if (a.Flag(QStringLiteral("projected")) && a.Flag(QStringLiteral("no-projected")))
        return Cli::UsageError(QStringLiteral("calc takes either --projected or --no-projected"));
    const std::optional<QString> out = a.Option(QStringLiteral("out"));
    if (out && out->isEmpty())
        return Cli::UsageError(QStringLiteral("--out needs a file name"));

    return Cli::Guarded([&] {
        TNetworkDocument doc = NetworkFile::Read(a.Positional().first());
        TCheckOptions options;
        options.ShowWarnings = !a.Flag(QStringLiteral("no-warnings"));
        options.UseProjectedPipes = a.Flag(QStringLiteral("projected"))      ? true
                                    : a.Flag(QStringLiteral("no-projected")) ? false
                                                                             : doc.Settings.UseProjectedPipes;
        TMessageList list;
        THydroCalculation calc;
        std::unique_ptr<THydroResults> results;
        if (calc.Prepare(*doc.Mine, list, options)) {
            calc.Solve();
            results = calc.Finish(*doc.Mine, list);
        }
        if (!results) {
            const QString lines = ErrorLines(list);
            Cli::Err(lines.isEmpty() ? calc.Failure() + u'\n' : lines);
            return int(kExitFile);
        }
        if (a.Flag(QStringLiteral("json")))
            Cli::Out(Json(*results));
        else
            Cli::Out(SectionsText(*results) + HydrantsText(*results));
        if (out)
            NetworkFile::Write(*out, *doc.Mine, doc.Settings, doc.BranchOrder, kCurrentFileVersion);
        return int(kExitOk);
    });
}
