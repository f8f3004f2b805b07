#include "CliSupport.h"
#include "Commands.h"

#include "FormatOption.h"

#include "core/exchange/ExchangeFormats.h"
#include "core/exchange/TorvexFile.h"
#include "core/file/NetworkFile.h"

namespace {

// What is read: an ".mdf" (any letter case) is an exchange file, any other name a network
// file, as convert has always read backups and files without the extension. What is written
// follows the extension, and an extension of neither kind is refused.
TFileFormat InputFormat(const QString& path)
{
    return ExchangeFormats::FormatOf(path) == TFileFormat::Torvex ? TFileFormat::Torvex : TFileFormat::Network;
}

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

// convert IN OUT [--format 16|17]: a network file of any version or an .mdf in; a network file
// of version 17 or 16, or an .mdf out. The .mdf extension decides, in any letter case.
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
    const TFileFormat from = InputFormat(in);
    const TFileFormat to = ExchangeFormats::FormatOf(out);
    if (to != TFileFormat::Network && to != TFileFormat::Torvex)
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
