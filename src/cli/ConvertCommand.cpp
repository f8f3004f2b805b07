#include "CliSupport.h"
#include "Commands.h"

#include "FormatOption.h"

#include "core/exchange/ExchangeFormats.h"
#include "core/exchange/TorvexFile.h"
#include "core/file/NetworkFile.h"

namespace {

bool Convertible(TFileFormat format) { return format == TFileFormat::Network || format == TFileFormat::Torvex; }

TNetworkDocument ReadAny(const QString& path, TFileFormat format)
{
    if (format == TFileFormat::Network)
        return NetworkFile::Read(path);
    TNetworkDocument doc;
    doc.Mine = TorvexFile::Import(path);
    doc.Settings = TDocumentSettings::Defaults();
    return doc;
}

}  // namespace

// convert IN OUT [--format 16|17]: .irv of any version or .mdf in; .irv of version 17 or 16,
// or .mdf out. The extensions decide, in any letter case.
int RunConvert(const QStringList& args)
{
    Cli::Arguments a(args, {QStringLiteral("format")});
    const int version = Cli::WriteVersion(a);
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (a.Positional().size() != 2)
        return Cli::UsageError(QStringLiteral("convert takes an input and an output file"));
    const QString& in = a.Positional()[0];
    const QString& out = a.Positional()[1];
    const TFileFormat from = ExchangeFormats::FormatOf(in);
    const TFileFormat to = ExchangeFormats::FormatOf(out);
    if (!Convertible(from) || !Convertible(to))
        return Cli::UsageError(ExchangeFormats::kUnknownExtension);
    if (to == TFileFormat::Torvex && a.Option(QStringLiteral("format")))
        return Cli::UsageError(QStringLiteral("--format applies to .irv output only"));
    return Cli::Guarded([&] {
        const TNetworkDocument doc = ReadAny(in, from);
        if (to == TFileFormat::Torvex)
            TorvexFile::Export(out, *doc.Mine);
        else
            NetworkFile::Write(out, *doc.Mine, doc.Settings, doc.BranchOrder, version);
        return kExitOk;
    });
}
