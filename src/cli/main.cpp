#include "CliSupport.h"
#include "Commands.h"

#include <QCoreApplication>
#include <QStringList>

// irvata-cli: network files for scripts and tests, without a display.
int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
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
    if (command == QStringLiteral("help") || command == QStringLiteral("--help") || command == QStringLiteral("-h")) {
        Cli::Usage();
        return kExitOk;
    }
    return Cli::UsageError(QStringLiteral("unknown command \"%1\"").arg(command));
}
