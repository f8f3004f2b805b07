// Feeds untrusted bytes to the network file reader. The first byte chooses the way in:
// 0..17 parse the rest as a decompressed body of that format version; anything else reads
// the rest as a whole file (signature, sizes, zlib stream): an odd byte through a file in
// memory, an even one from the bytes through an inflating window of 1 to 13 bytes.
// A damaged input may only end in EFileError; any other exception, a crash or a sanitizer
// report is a finding.

#include "core/file/FileError.h"
#include "core/file/NetworkFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <unistd.h>

namespace {

constexpr int kVersions = 18;

// One scratch file per process, removed when the process ends normally.
struct Scratch {
    QString path = (QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath()) +
                   QStringLiteral("/irvata-fuzz-%1.irv").arg(getpid());
    ~Scratch() { QFile::remove(path); }
};

const QString& ScratchPath()
{
    static const Scratch scratch;
    return scratch.path;
}

void ReadAsFile(const QByteArray& bytes)
{
    QFile f(ScratchPath());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        return;
    f.close();
    TNetworkDocument doc = NetworkFile::Read(ScratchPath());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int way = data[0];
    const QByteArray rest(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    try {
        if (way < kVersions) {
            TNetworkDocument doc = NetworkFile::ReadBody(rest, way, QStringLiteral("fuzz.irv"));
        } else if (way & 1) {
            ReadAsFile(rest);
        } else {
            // A whole file's bytes read through a window of a few bytes: every field straddles
            // a chunk boundary somewhere.
            TNetworkDocument doc = NetworkFile::ReadFileBytes(rest, QStringLiteral("fuzz.irv"), 1 + way % 13);
        }
    } catch (const EFileError&) {
        // The expected answer to a damaged file.
    }
    return 0;
}
