// Feeds untrusted bytes to the settings store's text reader, alone and through a store loaded
// from a file. Properties checked: the text written for a parsed tree parses back with no line
// skipped and is written again byte for byte; a store loaded from the bytes holds the tree the
// reader gives; a store saved and loaded again is unchanged. A refused text must leave the
// store empty. A crash, a sanitizer report or a broken property (abort) is a finding.
//   build-fuzz/fuzz/irvata_settings_text_fuzz -max_total_time=600 corpus-work fuzz/corpus/settings_text

#include "FuzzCheck.h"

#include "core/settings/SettingsStore.h"
#include "core/settings/SettingsText.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <unistd.h>

namespace {

// One scratch file per process, removed when the process ends normally.
struct Scratch {
    QString path = (QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath()) +
                   QStringLiteral("/irvata-fuzz-registry-%1.txt").arg(getpid());
    ~Scratch() { QFile::remove(path); }
};

const QString& ScratchPath()
{
    static const Scratch scratch;
    return scratch.path;
}

bool WriteScratch(QByteArrayView bytes)
{
    QFile f(ScratchPath());
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes.data(), bytes.size()) == bytes.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const auto parsed = SettingsText::parse(bytes);
    if (!parsed)
        return 0;
    const QByteArray text = SettingsText::write(*parsed->root);
    const auto again = SettingsText::parse(text);
    FuzzRequire(again.has_value(), "written text is accepted");
    FuzzRequire(again->skippedLines == 0, "written text parses without skipped lines");
    FuzzRequire(SettingsText::write(*again->root) == text, "written text parses back to the same tree");

    if (!WriteScratch(bytes))
        return 0;
    SettingsStore store(ScratchPath());
    FuzzRequire(store.skippedLineCount() == parsed->skippedLines, "a loaded store skips the lines the reader skips");
    FuzzRequire(store.serialize() == text, "a loaded store holds the tree of the text");
    FuzzRequire(!store.isModified(), "loading leaves the store unmodified");
    FuzzRequire(store.save(), "a loaded store saves");
    SettingsStore reloaded(ScratchPath());
    FuzzRequire(reloaded.skippedLineCount() == 0 && reloaded.serialize() == text, "a saved store loads back the same");
    return 0;
}
