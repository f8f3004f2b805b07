// Feeds untrusted bytes to the readers of what another instance hands over: the "open" macro
// (read as UTF-8). Properties checked: the paths the macro opens, written again as a macro,
// read back as the same paths; and the input cut at line breaks into a list of paths goes
// through BuildOpenMacro and OpenPathsFromMacro unchanged (empty paths dropped). A crash, a
// sanitizer report or a broken property (abort) is a finding.
//   build-fuzz/fuzz/irvata_hand_over_fuzz -max_total_time=600 corpus-work fuzz/corpus/hand_over

#include "FuzzCheck.h"

#include "core/shell/DdeMacro.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const std::vector<MacroCommand> commands = ParseMacro(text);
    FuzzRequire(commands.size() <= static_cast<size_t>(text.count(QLatin1Char('['))), "a command per opening bracket at most");
    const QStringList opened = OpenPathsFromMacro(text);
    FuzzRequire(OpenPathsFromMacro(BuildOpenMacro(opened)) == opened, "opened paths survive a new macro");

    QStringList paths = text.split(QLatin1Char('\n'));
    paths.removeAll(QString());
    FuzzRequire(OpenPathsFromMacro(BuildOpenMacro(paths)) == paths, "any paths survive a macro");
    return 0;
}
