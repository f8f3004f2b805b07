#include "CliSupport.h"
#include "Commands.h"

#include "core/checks/CheckCommands.h"
#include "core/checks/FreeNumbers.h"
#include "core/checks/MessageList.h"
#include "core/file/NetworkFile.h"

#include <optional>

// check FILE [--topology | --pipeline | --free] [--no-warnings] [--projected | --no-projected]
//
// Runs one of the document's check commands on a network file and prints the message list
// it leaves, one line each, as the message panel shows it. Exit status 0 when the run found
// no error, 1 when it did, 2 when the file cannot be read.
int RunCheck(const QStringList& args)
{
    enum class Mode { Topology, Pipeline, FreeNumbers };
    std::optional<Mode> mode;
    std::optional<bool> projected;
    bool warnings = true;
    QStringList rest;
    for (const QString& arg : args) {
        std::optional<Mode> chosen;
        if (arg == QStringLiteral("--topology"))
            chosen = Mode::Topology;
        else if (arg == QStringLiteral("--pipeline"))
            chosen = Mode::Pipeline;
        else if (arg == QStringLiteral("--free"))
            chosen = Mode::FreeNumbers;
        if (chosen) {
            if (mode && *mode != *chosen)
                return Cli::UsageError(QStringLiteral("check takes one of --topology, --pipeline and --free"));
            mode = chosen;
        } else if (arg == QStringLiteral("--projected") || arg == QStringLiteral("--no-projected")) {
            const bool value = arg == QStringLiteral("--projected");
            if (projected && *projected != value)
                return Cli::UsageError(QStringLiteral("check takes either --projected or --no-projected"));
            projected = value;
        } else if (arg == QStringLiteral("--no-warnings")) {
            warnings = false;
        } else {
            rest << arg;
        }
    }
    Cli::Arguments a(rest, {});
    if (!a.Ok())
        return Cli::UsageError(a.Error());
    if (a.Positional().size() != 1)
        return Cli::UsageError(QStringLiteral("check takes one file"));

    return Cli::Guarded([&] {
        TNetworkDocument doc = NetworkFile::Read(a.Positional().first());
        TCheckOptions options;
        options.ShowWarnings = warnings;
        // Without a word from the command line the document's own switch decides.
        options.UseProjectedPipes = projected.value_or(doc.Settings.UseProjectedPipes);

        TMessageList list;
        TCheckOutcome outcome;
        switch (mode.value_or(Mode::Pipeline)) {
        case Mode::Topology: outcome = RunTopologyCheck(*doc.Mine, list, options); break;
        case Mode::Pipeline: outcome = RunPipelineCheck(*doc.Mine, list, options); break;
        case Mode::FreeNumbers: outcome = RunFreeNumbers(*doc.Mine, list, options); break;
        }
        QString text;
        for (const TMessageLine& line : list.Lines())
            text += line.Text + u'\n';
        Cli::Out(text);
        return outcome.ErrorsFound ? kExitFindings : kExitOk;
    });
}
