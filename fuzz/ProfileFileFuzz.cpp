// Feeds untrusted bytes to the colour profile reader (*.cl) as a file's content, read onto the
// default colours. Properties checked: only EFileError comes out of a damaged file, and then the
// colours are unchanged; a file that reads gives colours whose file reads back to the same
// colours and is written again byte for byte. A crash, a sanitizer report or a broken property
// (abort) is a finding.
//   build-fuzz/fuzz/irvata_profile_file_fuzz -max_total_time=300 corpus-work fuzz/corpus/profile_file

#include "FuzzCheck.h"

#include "core/file/FileError.h"
#include "core/settings/ProfileFile.h"

#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString name = QStringLiteral("fuzz.cl");
    const TColors2D defaults;

    TColors2D colors;
    try {
        colors = ProfileFile::Decode(bytes, defaults, name);
    } catch (const EFileError& e) {
        FuzzRequire(!e.Message().isEmpty(), "a refused file says why");
        return 0;
    }
    const QByteArray written = ProfileFile::Encode(colors);
    TColors2D again;
    try {
        again = ProfileFile::Decode(written, defaults, name);
    } catch (const EFileError&) {
        FuzzRequire(false, "a written file reads");
    }
    FuzzRequire(again == colors, "a written file reads back to the same colours");
    FuzzRequire(ProfileFile::Encode(again) == written, "a written file is written again byte for byte");
    return 0;
}
