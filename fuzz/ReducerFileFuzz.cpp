// Feeds untrusted bytes to the reducer characteristic file reader (*.rdc). Properties checked:
// only EFileError comes out of a damaged file; a file that reads has at least one pressure and
// one flow range and is written again byte for byte (up to the end of its record; a negative
// name length becomes 0); validation and interpolation run on whatever it holds. A crash, a
// sanitizer report or a broken property (abort) is a finding.
//   build-fuzz/fuzz/irvata_reducer_file_fuzz -max_total_time=120 corpus-work fuzz/corpus/reducer_file

#include "FuzzCheck.h"

#include "core/equipment/ReducerCharacter.h"
#include "core/equipment/ReducerFile.h"
#include "core/file/FileError.h"

#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TReducerCharacter c;
    try {
        c = ReducerFile::Decode(bytes, QStringLiteral("fuzz.rdc"));
    } catch (const EFileError& e) {
        FuzzRequire(!e.Message().isEmpty(), "a refused file says why");
        return 0;
    }
    FuzzRequire(c.NP() > 0 && c.NQ() > 0, "a table that reads has ranges");
    const QByteArray written = ReducerFile::Encode(c);
    // Names are Windows-1251: every byte maps to one character and back. A negative name
    // length reads as an empty name and is written as 0; everything else comes back as it was.
    FuzzRequire(written.size() <= bytes.size() && bytes.sliced(20, written.size() - 20) == QByteArrayView(written).sliced(20),
                "a file is written again byte for byte after its name length");
    FuzzRequire(ReducerFile::Encode(ReducerFile::Decode(written, QStringLiteral("fuzz.rdc"))) == written,
                "a written file reads and is written again byte for byte");
    (void)c.FindFault();
    const double lo = c.Locking(0), hi = c.Locking(c.NP() - 1);
    const TReducerCharacter::Interpolated mid = InterpolateReducer(c, lo + (hi - lo) / 2);
    FuzzRequire(!mid.valid || static_cast<int>(mid.outlet.size()) == c.NQ(), "an interpolated row has one value per flow");
    return 0;
}
