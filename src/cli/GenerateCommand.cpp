#include "CliSupport.h"
#include "Commands.h"

#include "FormatOption.h"

#include "core/exchange/MineGenerator.h"
#include "core/exchange/SampleMine.h"
#include "core/file/NetworkFile.h"
#include "core/model/Mine.h"

#include <limits>
#include <memory>

// generate [--branches N] [--seed S] [--preset sample] [--format 16|17] OUT
int RunGenerate(const QStringList& args)
{
    Cli::Arguments a(args, {QStringLiteral("branches"), QStringLiteral("seed"), QStringLiteral("preset"),
                            QStringLiteral("format")});
    const int version = Cli::WriteVersion(a);
    const auto branches = a.Integer(QStringLiteral("branches"), 1, 10'000'000);
    const auto seed = a.Integer(QStringLiteral("seed"), 0, std::numeric_limits<qint64>::max());
    const auto preset = a.Option(QStringLiteral("preset"));
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (preset && *preset != QStringLiteral("sample"))
        return Cli::UsageError(QStringLiteral("unknown preset \"%1\" (known: sample)").arg(*preset));
    if (preset && (branches || seed))
        return Cli::UsageError(QStringLiteral("--preset sample takes no --branches or --seed"));
    if (a.Positional().size() != 1)
        return Cli::UsageError(QStringLiteral("generate takes one output file"));
    return Cli::Guarded([&] {
        std::unique_ptr<TMine> mine =
            preset ? SampleMine::Build()
                   : MineGenerator::Generate(static_cast<int>(branches.value_or(MineGenerator::kDefaultBranches)),
                                             static_cast<uint64_t>(seed.value_or(1)));
        NetworkFile::Write(a.Positional().first(), *mine, TDocumentSettings::Defaults(), mine->Branches.ToVector(),
                           version);
        return kExitOk;
    });
}
