#include "core/file/SettingsBlock.h"

#include "core/file/ByteReader.h"
#include "core/file/ByteWriter.h"

#include <algorithm>

namespace {

// Column records of versions up to 5 carry 70 more bytes nobody reads.
constexpr int kOldRecordTail = 70;

TColumnLayout ReadColumn(ByteReader& r, int version)
{
    TColumnLayout c;
    c.Param = r.u8();
    c.Width = r.i32();
    c.Visible = r.boolean();
    if (version <= 5)
        r.skip(kOldRecordTail);
    return c;
}

void WriteColumn(ByteWriter& w, const TColumnLayout& c)
{
    w.u8(static_cast<uint8_t>(c.Param));
    w.i32(c.Width);
    w.boolean(c.Visible);
}

void ReadAtPositions(ByteReader& r, int version, std::vector<TColumnLayout>& cols, int count)
{
    for (int i = 0; i < count; ++i)
        cols[static_cast<size_t>(i)] = ReadColumn(r, version);
}

// The record takes the place of the column showing the same parameter; a parameter the
// table does not have is dropped.
void ReadByParameter(ByteReader& r, int version, std::vector<TColumnLayout>& cols, int count)
{
    for (int i = 0; i < count; ++i) {
        const TColumnLayout c = ReadColumn(r, version);
        auto at = std::find_if(cols.begin(), cols.end(), [&](const TColumnLayout& x) { return x.Param == c.Param; });
        if (at != cols.end())
            *at = c;
    }
}

// Moves the column showing the parameter to the position (clamped to the table).
void MoveColumn(std::vector<TColumnLayout>& cols, int param, size_t to)
{
    auto at = std::find_if(cols.begin(), cols.end(), [&](const TColumnLayout& x) { return x.Param == param; });
    if (at == cols.end())
        return;
    const TColumnLayout c = *at;
    cols.erase(at);
    cols.insert(cols.begin() + static_cast<std::ptrdiff_t>(std::min(to, cols.size())), c);
}

size_t PositionOf(const std::vector<TColumnLayout>& cols, int param)
{
    auto at = std::find_if(cols.begin(), cols.end(), [&](const TColumnLayout& x) { return x.Param == param; });
    return static_cast<size_t>(at - cols.begin());
}

// Every parameter of the table exactly once.
bool IsComplete(const std::vector<TColumnLayout>& cols, int count)
{
    if (static_cast<int>(cols.size()) != count)
        return false;
    std::vector<bool> seen(static_cast<size_t>(count), false);
    for (const TColumnLayout& c : cols) {
        if (c.Param < 0 || c.Param >= count || seen[static_cast<size_t>(c.Param)])
            return false;
        seen[static_cast<size_t>(c.Param)] = true;
    }
    return true;
}

const std::vector<TColumnLayout>& OrDefault(const std::vector<TColumnLayout>& cols, int count,
                                            const std::vector<TColumnLayout>& fallback)
{
    return IsComplete(cols, count) ? cols : fallback;
}

}  // namespace

namespace SettingsBlock {

void Read(ByteReader& r, int version, TDocumentSettings& settings)
{
    const TDocumentSettings defaults = TDocumentSettings::Defaults();
    TDocumentSettings s = defaults;

    ReadAtPositions(r, version, s.UzelCols, kUzelColCount);
    if (version >= 17) {
        ReadAtPositions(r, version, s.BranchCols, kBranchColCount);
        ReadAtPositions(r, version, s.ResultCols, kResultColCount);
    } else if (version >= 8) {
        ReadByParameter(r, version, s.BranchCols, kBranchColCount - 2);
        ReadAtPositions(r, version, s.ResultCols, kResultColCount);
    } else if (version >= 6) {
        ReadAtPositions(r, version, s.BranchCols, kBranchColCount);
        ReadAtPositions(r, version, s.ResultCols, kResultColCount - 1);
        // The pressure-difference column came later; it belongs right after P2.
        MoveColumn(s.ResultCols, hbpDeltaP, PositionOf(s.ResultCols, hbpP2) + 1);
    } else {
        ReadByParameter(r, version, s.BranchCols, version >= 5 ? 7 : 6);
        MoveColumn(s.BranchCols, bpRemark, s.BranchCols.size());
        ReadAtPositions(r, version, s.ResultCols, kResultColCount - 1);
    }

    if (!IsComplete(s.UzelCols, kUzelColCount))
        s.UzelCols = defaults.UzelCols;
    if (!IsComplete(s.BranchCols, kBranchColCount))
        s.BranchCols = defaults.BranchCols;
    if (!IsComplete(s.ResultCols, kResultColCount))
        s.ResultCols = defaults.ResultCols;

    s.ColorMode = r.u8();
    s.DummyZ = r.i32();
    s.Reserved1 = r.u8();
    s.UseProjectedPipes = version >= 15 ? r.boolean() : false;
    settings = s;
}

void Write(ByteWriter& w, const TDocumentSettings& settings, int version)
{
    const TDocumentSettings defaults = TDocumentSettings::Defaults();
    for (const TColumnLayout& c : OrDefault(settings.UzelCols, kUzelColCount, defaults.UzelCols))
        WriteColumn(w, c);
    for (const TColumnLayout& c : OrDefault(settings.BranchCols, kBranchColCount, defaults.BranchCols))
        if (version >= 17 || (c.Param != bpPLF && c.Param != bpLayer))
            WriteColumn(w, c);
    for (const TColumnLayout& c : OrDefault(settings.ResultCols, kResultColCount, defaults.ResultCols))
        WriteColumn(w, c);
    w.u8(static_cast<uint8_t>(settings.ColorMode));
    w.i32(settings.DummyZ);
    w.u8(settings.Reserved1);
    if (version >= 15)
        w.boolean(settings.UseProjectedPipes);
}

}  // namespace SettingsBlock
