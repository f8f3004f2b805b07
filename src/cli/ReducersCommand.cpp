#include "CliSupport.h"
#include "Commands.h"

#include "core/tables/TableEdits.h"
#include "core/equipment/ReducerDatabase.h"
#include "core/equipment/ReducerFile.h"
#include "core/equipment/ReducerFileNames.h"
#include "core/exchange/JsonWriter.h"
#include "core/file/AtomicFile.h"

#include <QDir>
#include <QFileInfo>

#include <vector>

namespace {

void Numbers(JsonWriter& w, const std::vector<double>& values)
{
    w.BeginArray(true);
    for (double v : values)
        w.Value(v);
    w.EndArray();
}

void Model(JsonWriter& w, const TReducerModel& m, const std::vector<double>& lockings)
{
    const TReducerCharacter& c = m.Character;
    std::vector<double> inlet, locking, flows;
    for (int r = 0; r < c.NP(); ++r) {
        inlet.push_back(c.Inlet(r));
        locking.push_back(c.Locking(r));
    }
    for (int k = 0; k < c.NQ(); ++k)
        flows.push_back(c.Flow(k));
    w.BeginObject();
    w.Member("name", c.Name);
    w.Member("file", FileNameOnly(m.File));
    w.Key("inlet");
    Numbers(w, inlet);
    w.Key("locking");
    Numbers(w, locking);
    w.Key("flows");
    Numbers(w, flows);
    w.Key("outlet");
    w.BeginArray();
    for (int r = 0; r < c.NP(); ++r) {
        std::vector<double> row;
        for (int k = 0; k < c.NQ(); ++k)
            row.push_back(c.Outlet(r, k));
        Numbers(w, row);
    }
    w.EndArray();
    w.Key("at");
    w.BeginArray();
    for (double p : lockings) {
        const TReducerCharacter::Interpolated at = InterpolateReducer(c, p);
        w.BeginObject(true);
        w.Member("locking", p);
        w.Key("inlet");
        if (at.valid)
            w.Value(at.inlet);
        else
            w.Null();
        w.Key("outlet");
        if (at.valid)
            Numbers(w, at.outlet);
        else
            w.Null();
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
}

}  // namespace

// reducers PATH [--locking P]... [--save DIR]
//
// The reducer characteristics of an .rdc file or of every .rdc file of a folder as one JSON
// document, with the interpolation at each locking pressure asked for (null outside the
// table). In a folder the files that hold no readable characteristic are listed under
// "skipped"; a single file that is not one ends with status 2. --save writes every model into
// DIR under the names the database gives new models.
int RunReducers(const QStringList& args)
{
    std::vector<double> lockings;
    QStringList rest;
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString value;
        if (args[i] == QStringLiteral("--locking")) {
            if (i + 1 >= args.size())
                return Cli::UsageError(QStringLiteral("option --locking needs a value"));
            value = args[++i];
        } else if (args[i].startsWith(QStringLiteral("--locking="))) {
            value = args[i].mid(10);
        } else {
            rest << args[i];
            continue;
        }
        try {
            lockings.push_back(TableEdits::ParseFloat(value));
        } catch (const Exception&) {
            return Cli::UsageError(QStringLiteral("--locking must be a number, not \"%1\"").arg(value));
        }
    }
    Cli::Arguments a(rest, {QStringLiteral("save")});
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (a.Positional().size() != 1)
        return Cli::UsageError(QStringLiteral("reducers takes one file or folder"));

    return Cli::Guarded([&] {
        const QString path = a.Positional().first();
        const QFileInfo info(path);
        TReducerDatabase base(info.isDir() ? path : info.absolutePath());
        QStringList skipped;
        if (info.isDir()) {
            const TReducerDatabase::LoadReport report = base.Load();
            for (const QString& file : report.Foreign)
                skipped << FileNameOnly(file);
            for (const auto& failure : report.Failed) {
                skipped << FileNameOnly(failure.File);
                Cli::Err(failure.Message);
            }
            // Files of other kinds in the folder are skipped as well.
            for (const QFileInfo& other : QDir(path).entryInfoList(QDir::Files, QDir::Name))
                if (!other.fileName().endsWith(ReducerFile::kExtension, Qt::CaseInsensitive))
                    skipped << other.fileName();
            skipped.sort();
        } else {
            base.AddLoaded(ReducerFile::Read(path), info.absoluteFilePath(), info.completeBaseName());
        }

        if (const auto dir = a.Option(QStringLiteral("save"))) {
            if (!QDir().mkpath(*dir))
                throw EFileError(fekIo, QStringLiteral("Ошибка при создании папки %1").arg(*dir));
            for (int i = 0; i < base.Count(); ++i)
                ReducerFile::Write(ReducerFileNames::NewFile(*dir, base.Model(i).Character.Name), base.Model(i).Character);
        }

        JsonWriter w;
        w.BeginObject();
        w.Key("models");
        w.BeginArray();
        for (int i = 0; i < base.Count(); ++i)
            Model(w, base.Model(i), lockings);
        w.EndArray();
        w.Key("skipped");
        w.BeginArray(true);
        for (const QString& file : skipped)
            w.Value(file);
        w.EndArray();
        w.EndObject();
        Cli::Out(w.Take());
        return kExitOk;
    });
}
