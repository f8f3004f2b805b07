#include "CliSupport.h"
#include "Commands.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>

#include <cstring>
#include <memory>

// irvata-cli: network files for scripts and tests, without a display.
int main(int argc, char* argv[])
{
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
        return Cli::Usage();
    const QString command = args.takeFirst();
    if (command == QStringLiteral("info"))
        return RunInfo(args);
    if (command == QStringLiteral("dump"))
        return RunDump(args);
    if (command == QStringLiteral("convert"))
        return RunConvert(args);
    if (command == QStringLiteral("generate"))
        return RunGenerate(args);
    if (command == QStringLiteral("check"))
        return RunCheck(args);
    if (command == QStringLiteral("render"))
        return RunRender(args);
    if (command == QStringLiteral("print"))
        return RunPrint(args);
    if (command == QStringLiteral("pumps"))
        return RunPumps(args);
    if (command == QStringLiteral("reducers"))
        return RunReducers(args);
    if (command == QStringLiteral("report"))
        return RunReport(args);
    if (command == QStringLiteral("transform"))
        return RunTransform(args);
    if (command == QStringLiteral("split"))
        return RunSplit(args);
    if (command == QStringLiteral("merge"))
        return RunMerge(args);
    if (command == QStringLiteral("renumber"))
        return RunRenumber(args);
    if (command == QStringLiteral("numbers"))
        return RunNumbers(args);
    if (command == QStringLiteral("stats"))
        return RunStats(args);
    if (command == QStringLiteral("devices"))
        return RunDevices(args);
    if (command == QStringLiteral("help") || command == QStringLiteral("--help") || command == QStringLiteral("-h")) {
        Cli::Usage();
        return kExitOk;
    }
    return Cli::UsageError(QStringLiteral("unknown command \"%1\"").arg(command));
}
