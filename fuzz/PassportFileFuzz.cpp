// Feeds untrusted bytes to the passport file reader (*.txt of the passport dialog). Properties
// checked: only Exception comes out of a damaged file, with the reading message; a file that
// reads is written, and that file reads back to content written again byte for byte. A crash,
// a sanitizer report or a broken property (abort) is a finding.
//   build-fuzz/fuzz/irvata_passport_file_fuzz -max_total_time=300 corpus-work fuzz/corpus/passport_file

#include "FuzzCheck.h"

#include "core/model/Errors.h"
#include "core/printing/PassportFile.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TPassportFileContent content;
    try {
        content = PassportFile::Decode(bytes);
    } catch (const Exception& e) {
        FuzzRequire(e.Message() == QStringLiteral("Произошла ошибка при чтении из файла"), "a refused file says why");
        return 0;
    }
    FuzzRequire(content.LegendFlags.size() <= size_t(kSymbolCount), "at most eleven legend flags are kept");
    const QByteArray written = PassportFile::Encode(content);
    TPassportFileContent again;
    try {
        again = PassportFile::Decode(written);
    } catch (const Exception&) {
        FuzzRequire(false, "a written file reads");
    }
    FuzzRequire(PassportFile::Encode(again) == written, "a written file is written again byte for byte");
    return 0;
}
