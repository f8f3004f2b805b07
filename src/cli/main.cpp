#include "CliSupport.h"
#include "Commands.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <cstring>
#include <memory>

namespace {

struct TCommand {
    const char* Name;
    int (*Run)(const QStringList& args);
};

constexpr TCommand kCommands[] = {
    {"info", RunInfo},         {"dump", RunDump},         {"convert", RunConvert},   {"generate", RunGenerate},
    {"check", RunCheck},       {"render", RunRender},     {"print", RunPrint},       {"pumps", RunPumps},
    {"reducers", RunReducers}, {"report", RunReport},     {"transform", RunTransform}, {"split", RunSplit},
    {"merge", RunMerge},       {"renumber", RunRenumber}, {"numbers", RunNumbers},   {"stats", RunStats},
    {"devices", RunDevices},   {"calc", RunCalc},         {"export-inp", RunExportInp},
};

bool AsksForHelp(const QString& arg)
{
    return arg == QStringLiteral("--help") || arg == QStringLiteral("-h") || arg == QStringLiteral("help");
}

}  // namespace

// irvata-cli: network files for scripts and tests, without a display.
int main(int argc, char* argv[])
{
    Cli::KeepQtMessagesOffStandardError();
    // Only render, report and print paint, and they need fonts, not a screen: the offscreen
    // platform unless the caller chose another. The other commands stay free of the GUI.
    const bool paints = argc > 1 && (std::strcmp(argv[1], "render") == 0 || std::strcmp(argv[1], "report") == 0 ||
                                     std::strcmp(argv[1], "print") == 0);
    if (paints && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        paints ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty())
        return Cli::UsageError(QStringLiteral("no command given"));
    const QString command = args.takeFirst();
    if (AsksForHelp(command)) {
        // "--help" alone, or "help render" / "--help render" for one command.
        if (args.isEmpty())
            return Cli::Help();
        if (!Cli::IsCommand(args.first()))
            return Cli::UsageError(QStringLiteral("unknown command \"%1\"").arg(args.first()));
        if (args.size() > 1)
            return Cli::UsageError(QStringLiteral("%1 takes at most one command").arg(command));
        return Cli::Help(args.first());
    }
    for (const TCommand& c : kCommands) {
        if (command != QLatin1String(c.Name))
            continue;
        Cli::SetCommand(command);
        if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h")))
            return Cli::Help(command);
        return c.Run(args);
    }
    return Cli::UsageError(QStringLiteral("unknown command \"%1\"").arg(command));
}
