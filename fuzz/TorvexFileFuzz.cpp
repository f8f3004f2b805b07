// Feeds untrusted bytes to the exchange file reader (*.mdf). Properties checked: only
// EInOutError with code 106 or 107 comes out of a damaged file; a file that reads is written,
// and what is written reads back and is written again byte for byte. A crash, a sanitizer
// report or a broken property (abort) is a finding.
//   build-fuzz/fuzz/irvata_torvex_file_fuzz -max_total_time=120 corpus-work fuzz/corpus/torvex_file

#include "FuzzCheck.h"

#include "core/exchange/TorvexFile.h"
#include "core/model/Mine.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstddef>
#include <cstdint>

namespace {

void Check(QByteArrayView bytes)
{
    std::unique_ptr<TMine> mine;
    try {
        mine = TorvexFile::Parse(bytes);
    } catch (const EInOutError& e) {
        FuzzRequire(e.Code() == TorvexFile::kCodeDamaged || e.Code() == TorvexFile::kCodeTooNew,
                    "a refused file carries its code");
        return;
    }
    const QByteArray written = TorvexFile::Build(*mine);
    FuzzRequire(TorvexFile::Build(*TorvexFile::Parse(written)) == written,
                "a written file reads and is written again byte for byte");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Check(bytes);
    // Most mutations break the size field: try the body again with the field made right.
    if (bytes.size() >= 15) {
        QByteArray fixed = bytes;
        for (int i = 0; i < 4; ++i)
            fixed[11 + i] = static_cast<char>((static_cast<uint32_t>(fixed.size()) >> (8 * i)) & 0xFF);
        Check(fixed);
    }
    return 0;
}
