// Feeds untrusted bytes to the pump curve reader (*.pmp). Properties checked: only EFileError
// comes out of a damaged file, with a message; a file that reads is written, and the written file
// reads back to the same name, ranges and points and is written again byte for byte; the curve
// gives a head or NaN anywhere, never a crash.
//   build-fuzz/fuzz/irvata_pump_file_fuzz -max_total_time=300 corpus-work fuzz/corpus/pump_file

#include "FuzzCheck.h"

#include "core/equipment/PumpCurve.h"
#include "core/equipment/PumpFile.h"
#include "core/file/FileError.h"

#include <QByteArray>
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString name = QStringLiteral("fuzz.pmp");
    std::unique_ptr<TPumpStore> store;
    try {
        store = PumpFile::Decode(bytes, name);
    } catch (const EFileError& e) {
        FuzzRequire(!e.Message().isEmpty(), "a refused file says why");
        return 0;
    }
    const TBasePointList& points = store->Points();
    if (points.Count() > 0) {
        const double first = points.At(0).Q;
        const double last = points.At(points.Count() - 1).Q;
        for (double q : {first, last, (first + last) / 2, first - 1, last + 1}) {
            const double h = EvaluateHead(points, q);
            (void)h;
        }
        (void)FitPump(points, first, last);
    }
    (void)CurvePolyline(points);

    const QByteArray written = PumpFile::Encode(*store);
    std::unique_ptr<TPumpStore> again;
    try {
        again = PumpFile::Decode(written, name);
    } catch (const EFileError&) {
        FuzzRequire(false, "a written file reads");
    }
    FuzzRequire(again->Points().Count() == points.Count(), "a written file keeps every point");
    FuzzRequire(PumpFile::Encode(*again) == written, "a written file is written again byte for byte");
    return 0;
}
