#include "core/file/MineStream.h"

#include "core/file/BranchRecord.h"
#include "core/file/RecordFields.h"
#include "core/file/UzelRecord.h"
#include "core/model/Branch.h"
#include "core/model/Mine.h"
#include "core/model/Uzel.h"

#include <algorithm>
#include <cstdint>

using namespace RecordFields;

namespace {

constexpr int kSeamMinSize = 1 + 4 + 4;
constexpr int kPositionMinSize = kSeamMinSize + 4;
constexpr int kTextBlockMinSize = 4 + 4 + 4 + 4 + 4 + 1 + 1 + 8 + 4 + 4 + 1 + 4;
// Counts are checked against the declared body size, which a streamed body has not yet
// backed with bytes: room is reserved up to this many entries, the lists grow beyond it.
constexpr int32_t kReserveLimit = 1 << 18;

// StreamVersion and Loading belong to the read only while it runs.
class LoadingScope {
public:
    LoadingScope(TMine& mine, int version) : mine_(mine), wasLoading_(mine.Loading())
    {
        mine_.SetStreamVersion(version);
        mine_.SetLoading(true);
    }
    ~LoadingScope()
    {
        mine_.SetLoading(wasLoading_);
        mine_.SetStreamVersion(kCurrentStreamVersion);
    }
    LoadingScope(const LoadingScope&) = delete;
    LoadingScope& operator=(const LoadingScope&) = delete;

private:
    TMine& mine_;
    bool wasLoading_;
};

}  // namespace

namespace MineStream {

void ReadSeam(ByteReader& r, TCustomLayer& layer)
{
    layer.SetVisible(r.boolean());
    layer.SetName(r.string());
    layer.SetColor(r.i32());
}

void WriteSeam(ByteWriter& w, const TCustomLayer& layer)
{
    w.boolean(layer.Visible());
    w.string(layer.Name());
    w.i32(layer.Color());
}

TTextBlock2D* ReadTextBlock(ByteReader& r, TMine& mine, TTextBlock2D* into)
{
    const int left = r.i32();
    const int top = r.i32();
    const QString text = r.string();
    const int backColor = r.i32();
    const int frameColor = r.i32();
    const bool transparent = r.boolean();
    const bool noFrame = r.boolean();
    const double angle = FiniteDouble(r);
    TBlockFont font;
    font.Name = r.string();
    font.Size = r.i32();
    font.Style = r.u8();
    font.Color = r.i32();

    TTextBlock2D* block = into;
    if (block) {
        block->SetPosition(left, top);
        block->SetText(text);
    } else {
        block = TTextBlock2D::Create(&mine.TextBlocks, left, top, text);
    }
    block->SetBackColor(backColor);
    block->SetFrameColor(frameColor);
    block->SetTransparent(transparent);
    block->SetNoFrame(noFrame);
    block->SetAngle(angle);
    block->SetFont(font);
    block->Measure();
    return block;
}

void WriteTextBlock(ByteWriter& w, const TTextBlock2D& block)
{
    w.i32(block.Left());
    w.i32(block.Top());
    w.string(block.Text());
    w.i32(block.BackColor());
    w.i32(block.FrameColor());
    w.boolean(block.Transparent());
    w.boolean(block.NoFrame());
    w.f64(block.Angle());
    w.string(block.Font().Name);
    w.i32(block.Font().Size);
    w.u8(static_cast<uint8_t>(block.Font().Style));
    w.i32(block.Font().Color);
}

void WriteHeader(ByteWriter& w, const TMine& mine, int version)
{
    if (version >= 9)
        w.guid(mine.Guid());
    w.string(mine.Name());
    w.string(mine.Remark());
    w.i32(mine.CenterX());
    w.i32(mine.CenterY());
    w.i32(mine.CenterZ());
}

void ReadHeader(ByteReader& r, TMine& mine, int version)
{
    if (version >= 9)
        mine.SetGuid(r.guid());
    mine.SetName(r.string());
    mine.SetRemark(r.string());
    for (int axis = 1; axis <= 3; ++axis)
        mine.SetCenter(axis, r.i32());
}

void WriteSeams(ByteWriter& w, const TMine& mine, int version)
{
    w.i32(mine.Layers.Count());
    for (const TLayer* layer : mine.Layers)
        WriteSeam(w, *layer);
    if (version >= 14) {
        w.i32(mine.PLFPositions.Count());
        for (const TPLFPosition* p : mine.PLFPositions) {
            WriteSeam(w, *p);
            w.i32(p->PositionNo());
        }
    }
}

void WriteTextBlocks(ByteWriter& w, const TMine& mine)
{
    w.i32(mine.TextBlocks.Count());
    for (const auto& block : mine.TextBlocks)
        WriteTextBlock(w, *block);
}

void Read(ByteReader& r, TMine& mine, int version)
{
    LoadingScope scope(mine, version);

    ReadHeader(r, mine, version);

    const int32_t seams = r.count(kSeamMinSize);
    for (int i = 0; i < seams; ++i)
        ReadSeam(r, *TLayer::Create(&mine));

    if (version >= 14) {
        const int32_t positions = r.count(kPositionMinSize);
        for (int i = 0; i < positions; ++i) {
            TPLFPosition* p = TPLFPosition::Create(&mine);
            ReadSeam(r, *p);
            p->SetPositionNo(r.i32());
        }
    }

    // Every node before any branch: the branches link to them as they are created.
    const int32_t uzels = r.count(UzelRecord::Size(version));
    mine.Uzels.Reserve(std::min(uzels, kReserveLimit));
    for (int i = 0; i < uzels; ++i)
        UzelRecord::Read(r, mine, version);

    // The diameter colour table is filled as the branches arrive, while each is still in
    // the cache, rather than in a second walk over the mine. Files before colours were
    // stored hand out colours by diameter as their pipes are read; the table is then
    // counted afresh.
    const int32_t branches = r.count(BranchRecord::MinSize(version));
    mine.Branches.Reserve(std::min(branches, kReserveLimit));
    const bool countAsRead = version >= 6;
    mine.DiamColors.Clear();
    for (int i = 0; i < branches; ++i) {
        TBranch* branch = BranchRecord::Read(r, mine, version);
        if (countAsRead)
            mine.DiamColors.RegisterFirePipeOf(branch);
    }
    if (!countAsRead)
        mine.DiamColors.Rebuild();

    if (version >= 16) {
        const int32_t blocks = r.count(kTextBlockMinSize);
        for (int i = 0; i < blocks; ++i)
            ReadTextBlock(r, mine, nullptr);
    }

    mine.RecalcBounds();
    mine.SetModified(false, false);
}

void Write(ByteWriter& w, const TMine& mine, int version)
{
    WriteHeader(w, mine, version);
    WriteSeams(w, mine, version);

    w.i32(mine.Uzels.Count());
    for (const TUzel* u : mine.Uzels)
        UzelRecord::Write(w, *u, version);

    w.i32(mine.Branches.Count());
    for (const TBranch* b : mine.Branches)
        BranchRecord::Write(w, *b, version);

    if (version >= 16)
        WriteTextBlocks(w, mine);
}

}  // namespace MineStream
