// Feeds untrusted bytes to the readers of what another start of the program hands over over
// the local socket. The input is taken twice: as the bytes received, cut into requests by
// HandOver::DecodeRequest the way the running program reads them, and as an "open" macro
// (UTF-8) of its own; every macro, decoded or given, goes through the macro reader.
// Properties checked: a complete request consumes its header and no more than arrived, and its
// macro framed again decodes to the same macro; the paths a macro opens, written again as a
// macro, read back as the same paths; and the input cut at line breaks into paths goes through
// BuildOpenMacro and OpenPathsFromMacro unchanged (empty paths dropped). A crash, a sanitizer
// report or a broken property (abort) is a finding.
//   build-fuzz/fuzz/irvata_hand_over_fuzz -max_total_time=600 corpus-work fuzz/corpus/hand_over

#include "FuzzCheck.h"

#include "core/shell/DdeMacro.h"
#include "core/shell/HandOverMessage.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

namespace {

void CheckMacro(const QString& text)
{
    const std::vector<MacroCommand> commands = ParseMacro(text);
    FuzzRequire(commands.size() <= static_cast<size_t>(text.count(QLatin1Char('['))),
                "a command per opening bracket at most");
    const QStringList opened = OpenPathsFromMacro(text);
    FuzzRequire(OpenPathsFromMacro(BuildOpenMacro(opened)) == opened, "opened paths survive a new macro");
}

void CheckRequests(QByteArray received)
{
    QString macro;
    qsizetype consumed = 0;
    while (HandOver::DecodeRequest(received, &macro, &consumed) == HandOver::DecodeStatus::Complete) {
        FuzzRequire(consumed >= HandOver::kHeaderBytes && consumed <= received.size(),
                    "a request consumes its header and no more than arrived");
        // (Damaged UTF-8 decodes to U+FFFD, which can make the macro longer than its bytes were.)
        const QByteArray framed = HandOver::EncodeRequest(macro);
        QString again;
        qsizetype againConsumed = 0;
        FuzzRequire(framed.isEmpty() ? macro.toUtf8().size() > HandOver::kMaxMacroBytes
                                     : HandOver::DecodeRequest(framed, &again, &againConsumed)
                                               == HandOver::DecodeStatus::Complete
                                           && again == macro && againConsumed == framed.size(),
                    "a decoded macro framed again decodes to itself");
        CheckMacro(macro);
        received.remove(0, consumed);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CheckRequests(bytes);

    const QString text = QString::fromUtf8(bytes);
    CheckMacro(text);
    QStringList paths = text.split(QLatin1Char('\n'));
    paths.removeAll(QString());
    FuzzRequire(OpenPathsFromMacro(BuildOpenMacro(paths)) == paths, "any paths survive a macro");
    return 0;
}
