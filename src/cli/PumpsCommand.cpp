#include "CliSupport.h"
#include "Commands.h"

#include "core/equipment/PumpCurve.h"
#include "core/equipment/PumpList.h"
#include "core/exchange/JsonWriter.h"
#include "core/file/FileError.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <optional>
#include <vector>

namespace {

std::optional<double> Flow(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// Every value of a repeatable option, in the order given.
QStringList AllValues(const QStringList& args, const QString& name)
{
    QStringList values;
    const QString flag = QStringLiteral("--") + name;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == flag && i + 1 < args.size())
            values << args[++i];
        else if (args[i].startsWith(flag + u'='))
            values << args[i].mid(flag.size() + 1);
    }
    return values;
}

void Pair(JsonWriter& w, double q, double h)
{
    w.BeginArray(true);
    w.Value(q);
    w.Value(h);
    w.EndArray();
}

void Model(JsonWriter& w, const TPumpStore& s, const std::vector<double>& heads,
           const std::optional<std::pair<double, double>>& fitAt)
{
    w.BeginObject();
    w.Member("name", s.Name);
    w.Member("file", QFileInfo(s.SourceFile).fileName());
    w.Key("ranges");
    w.BeginArray(true);
    for (int i = 0; i < 4; ++i)
        w.Value(s.Range(static_cast<TPumpRange>(i)));
    w.EndArray();
    w.Key("points");
    w.BeginArray(true);
    for (const TBasePoint& p : s.Points().Points())
        Pair(w, p.Q, p.H);
    w.EndArray();
    w.Key("heads");
    w.BeginArray(true);
    for (double q : heads)
        Pair(w, q, EvaluateHead(s.Points(), q));  // NaN is written as null
    w.EndArray();
    if (fitAt) {
        w.Key("fit");
        const std::optional<TPumpFit> fit = FitPump(s.Points(), fitAt->first, fitAt->second);
        if (!fit) {
            w.Null();
        } else {
            w.BeginObject(true);
            w.Member("q1", fit->Q1);
            w.Member("q2", fit->Q2);
            w.Member("h1", fit->H1);
            w.Member("h2", fit->H2);
            w.Member("a", fit->A);
            w.Member("b", fit->B);
            w.EndObject();
        }
    }
    w.EndObject();
}

}  // namespace

// pumps PATH [--head Q]... [--fit Q1,Q2] [--save DIR]: the models of a .pmp file or a folder.
int RunPumps(const QStringList& args)
{
    Cli::Arguments a(args, {QStringLiteral("head"), QStringLiteral("fit"), QStringLiteral("save")});
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (a.Positional().size() != 1)
        return Cli::UsageError(QStringLiteral("pumps takes one .pmp file or folder"));
    std::vector<double> heads;
    for (const QString& text : AllValues(args, QStringLiteral("head"))) {
        const auto q = Flow(text);
        if (!q)
            return Cli::UsageError(QStringLiteral("--head needs a flow, not \"%1\"").arg(text));
        heads.push_back(*q);
    }
    std::optional<std::pair<double, double>> fitAt;
    if (const auto fit = a.Option(QStringLiteral("fit"))) {
        const QStringList parts = fit->split(u',');
        const auto q1 = parts.size() == 2 ? Flow(parts[0]) : std::nullopt;
        const auto q2 = parts.size() == 2 ? Flow(parts[1]) : std::nullopt;
        if (!q1 || !q2)
            return Cli::UsageError(QStringLiteral("--fit needs two flows Q1,Q2"));
        fitAt = std::make_pair(*q1, *q2);
    }
    const QString path = a.Positional().first();
    return Cli::Guarded([&] {
        TPumpList list;
        QStringList skipped;
        if (QFileInfo(path).isDir()) {
            const TPumpList::TLoadReport report = list.LoadFolder(path);
            for (const QString& message : report.Errors)
                Cli::Err(message);
            skipped = report.Skipped;
        } else {
            list.LoadFile(path);
        }
        JsonWriter w;
        w.BeginObject();
        w.Key("models");
        w.BeginArray();
        const QStringList names = list.Names();
        for (const QString& name : names)
            Model(w, list.At(list.Find(name)), heads, fitAt);
        w.EndArray();
        w.Key("skipped");
        w.BeginArray(true);
        for (const QString& f : skipped)
            w.Value(f);
        w.EndArray();
        w.EndObject();
        // Reported as read: "file" names the file each model came from.
        const QByteArray report = w.Take();
        if (const auto dir = a.Option(QStringLiteral("save")))
            list.SaveFolder(*dir);
        Cli::Out(report);
        return kExitOk;
    });
}
