// Feeds untrusted bytes to the clipboard readers as a pasted block. The first byte chooses the
// block: even for nodes, odd for branches; the rest is the block, pasted into a small document
// that already has nodes and a branch. Properties checked: a refused block leaves the document
// as it was; a block that reads creates exactly the objects it returns, and what they write
// reads again, into a fresh document, to objects that write the same bytes. Only EFileError
// may come out of a damaged block. A crash, a sanitizer report or a broken property (abort)
// is a finding.
//   build-fuzz/fuzz/irvata_clipboard_fuzz -max_total_time=600 corpus-work fuzz/corpus/clipboard

#include "FuzzCheck.h"

#include "core/file/ClipboardRecords.h"
#include "core/file/FileError.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Pipe.h"
#include "core/model/Uzel.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

// The document pasted into: nodes 1-3 and a branch 1 from 1 to 2 with its fire pipe laid,
// so pasted nodes and branches find something to link to.
std::unique_ptr<TMine> Document()
{
    auto mine = std::make_unique<TMine>(QStringLiteral("fuzz"));
    for (int number = 1; number <= 3; ++number)
        TUzel::Create(mine.get(), number);
    TBranch* b = TBranch::Create(mine.get(), 1, 1, 2);
    b->FirePipe()->SetPresent(true);
    b->FirePipe()->SetDiameter(150);
    return mine;
}

struct Counts {
    int uzels, branches;
    bool operator==(const Counts&) const = default;
};
Counts CountsOf(const TMine& m) { return {m.Uzels.Count(), m.Branches.Count()}; }

template <class T>
void Check(const QByteArray& block, std::vector<T*> (*decode)(TMine&, const QByteArray&),
           QByteArray (*encode)(const std::vector<T*>&), int Counts::*grows)
{
    auto mine = Document();
    const Counts before = CountsOf(*mine);
    std::vector<T*> pasted;
    try {
        pasted = decode(*mine, block);
    } catch (const EFileError&) {
        FuzzRequire(CountsOf(*mine) == before, "a refused block leaves the document as it was");
        return;
    }
    Counts expected = before;
    expected.*grows += static_cast<int>(pasted.size());
    FuzzRequire(CountsOf(*mine) == expected, "a block creates exactly what it returns");
    const QByteArray written = encode(pasted);
    auto fresh = Document();
    std::vector<T*> again;
    try {
        again = decode(*fresh, written);
    } catch (const EFileError&) {
        FuzzRequire(false, "a written block reads again");
    }
    FuzzRequire(again.size() == pasted.size(), "a written block reads again to as many objects");
    FuzzRequire(encode(again) == written, "a written block reads again to equal objects");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray block(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    if (data[0] % 2 == 0)
        Check<TUzel>(block, DecodeUzels, EncodeUzels, &Counts::uzels);
    else
        Check<TBranch>(block, DecodeBranches, EncodeBranches, &Counts::branches);
    return 0;
}
