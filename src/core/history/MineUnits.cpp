#include "core/history/MineUnits.h"

#include "core/file/BranchRecord.h"
#include "core/file/ByteReader.h"
#include "core/file/ByteWriter.h"
#include "core/file/MineStream.h"
#include "core/file/UzelRecord.h"
#include "core/model/Branch.h"
#include "core/model/Device.h"
#include "core/model/Layer.h"
#include "core/model/Mine.h"
#include "core/model/PipePart.h"
#include "core/model/Uzel.h"

#include <algorithm>

namespace {

// Pieces are kept in the newest format: it holds every value the model has.
constexpr int kVersion = kCurrentStreamVersion;

uint64_t SerialOf(const TMineObject* object) { return object ? object->Serial() : 0; }

void Restore(TMineObject* object, uint64_t serial)
{
    if (object && serial)
        object->RestoreSerial(serial);
}

std::vector<uint64_t> BranchSerials(const TBranch& branch)
{
    std::vector<uint64_t> out;
    out.push_back(branch.Serial());
    for (const TPipe* pipe : branch.Pipes) {
        out.push_back(SerialOf(pipe->FirstSection()));
        out.push_back(static_cast<uint64_t>(pipe->Devices.Count()));
        for (const TDevice* d : pipe->Devices) {
            out.push_back(d->Serial());
            out.push_back(SerialOf(d->Section()));
        }
    }
    return out;
}

// Where the serials of a pipe's devices start in the branch's list: pipe by pipe.
struct PipeSerials {
    uint64_t FirstSection = 0;
    std::vector<uint64_t> Devices;  // device, section, device, section...
};

std::vector<PipeSerials> SplitBranchSerials(const std::vector<uint64_t>& inner)
{
    std::vector<PipeSerials> pipes;
    size_t i = 1;
    while (i + 1 < inner.size()) {
        PipeSerials p;
        p.FirstSection = inner[i];
        const size_t devices = static_cast<size_t>(inner[i + 1]);
        i += 2;
        const size_t end = std::min(inner.size(), i + 2 * devices);
        p.Devices.assign(inner.begin() + static_cast<std::ptrdiff_t>(i), inner.begin() + static_cast<std::ptrdiff_t>(end));
        i = end;
        pipes.push_back(std::move(p));
    }
    return pipes;
}

void RestoreBranchSerials(TBranch& branch, const std::vector<uint64_t>& inner)
{
    if (inner.empty())
        return;
    branch.RestoreSerial(inner[0]);
    const std::vector<PipeSerials> pipes = SplitBranchSerials(inner);
    for (int slot = 0; slot < branch.Pipes.Count() && slot < static_cast<int>(pipes.size()); ++slot) {
        TPipe* pipe = branch.Pipes.Items(slot);
        const PipeSerials& p = pipes[static_cast<size_t>(slot)];
        Restore(pipe->FirstSection(), p.FirstSection);
        for (int k = 0; k < pipe->Devices.Count() && 2 * static_cast<size_t>(k) + 1 < p.Devices.size(); ++k) {
            TDevice* d = pipe->Devices.Items(k);
            Restore(d, p.Devices[2 * static_cast<size_t>(k)]);
            Restore(d->Section(), p.Devices[2 * static_cast<size_t>(k) + 1]);
        }
    }
}

void ReadBranch(TBranch& branch, const TUnitState& state)
{
    const std::vector<PipeSerials> pipes = SplitBranchSerials(state.Inner);
    // A device keeps its object when the piece names it on the same pipe with the same kind.
    const auto reuse = [&](TPipe& pipe, int index, int kind) -> TDevice* {
        const int slot = pipe.SlotIndex();
        if (slot < 0 || slot >= static_cast<int>(pipes.size()))
            return nullptr;
        const auto& serials = pipes[static_cast<size_t>(slot)].Devices;
        const size_t at = 2 * static_cast<size_t>(index);
        if (at >= serials.size())
            return nullptr;
        for (TDevice* d : pipe.Devices)
            if (d->Serial() == serials[at] && d->GetKind() == kind)
                return d;
        return nullptr;
    };
    ByteReader r(state.Bytes);
    BranchRecord::ReadInto(r, branch, kVersion, reuse);
    RestoreBranchSerials(branch, state.Inner);
}

// Brings a seam list to the serials given, in their order: seams not named go, named ones
// that are missing come back; then each takes its record.
template <class List, class Make>
void MatchList(List& list, const std::vector<uint64_t>& serials, Make make)
{
    for (int i = list.Count() - 1; i >= 0; --i)
        if (std::find(serials.begin(), serials.end(), list.Items(i)->Serial()) == serials.end())
            list.Delete(i);
    for (size_t k = 0; k < serials.size(); ++k) {
        int at = -1;
        for (int i = 0; i < list.Count(); ++i)
            if (list.Items(i)->Serial() == serials[k])
                at = i;
        if (at < 0) {
            auto* item = make();
            item->RestoreSerial(serials[k]);
            at = list.Count() - 1;
        }
        if (at != static_cast<int>(k))
            list.Move(at, static_cast<int>(k));
    }
}

}  // namespace

qint64 TUnitState::Footprint() const
{
    return static_cast<qint64>(sizeof(TUnitState)) + Bytes.capacity() +
           static_cast<qint64>(Inner.capacity() * sizeof(uint64_t));
}

namespace MineUnits {

TUnitState Capture(const TUzel& uzel, int index)
{
    ByteWriter w;
    UzelRecord::Write(w, uzel, kVersion);
    TUnitState s;
    s.Kind = TUnitKind::Uzel;
    s.Serial = uzel.Serial();
    s.Index = index;
    s.Bytes = w.data();
    return s;
}

TUnitState Capture(const TBranch& branch, int index)
{
    ByteWriter w;
    BranchRecord::Write(w, branch, kVersion);
    TUnitState s;
    s.Kind = TUnitKind::Branch;
    s.Serial = branch.Serial();
    s.Index = index;
    s.Bytes = w.data();
    s.Inner = BranchSerials(branch);
    return s;
}

TUnitState CaptureHeader(const TMine& mine)
{
    ByteWriter w;
    MineStream::WriteHeader(w, mine, kVersion);
    TUnitState s;
    s.Kind = TUnitKind::Header;
    s.Bytes = w.data();
    return s;
}

TUnitState CaptureSeams(const TMine& mine)
{
    ByteWriter w;
    MineStream::WriteSeams(w, mine, kVersion);
    TUnitState s;
    s.Kind = TUnitKind::Seams;
    s.Bytes = w.data();
    s.Inner = MineUnits::SerialsOf(mine.Layers);
    const std::vector<uint64_t> positions = MineUnits::SerialsOf(mine.PLFPositions);
    s.Inner.insert(s.Inner.end(), positions.begin(), positions.end());
    return s;
}

TUnitState CaptureTextBlocks(const TMine& mine)
{
    ByteWriter w;
    MineStream::WriteTextBlocks(w, mine);
    TUnitState s;
    s.Kind = TUnitKind::TextBlocks;
    s.Bytes = w.data();
    return s;
}

void Restore(TUzel& uzel, const TUnitState& state)
{
    ByteReader r(state.Bytes);
    uzel.Restore(UzelRecord::ReadState(r, kVersion));
}

void Restore(TBranch& branch, const TUnitState& state) { ReadBranch(branch, state); }

void Restore(TMine& mine, const TUnitState& state)
{
    ByteReader r(state.Bytes);
    switch (state.Kind) {
    case TUnitKind::Header: MineStream::ReadHeader(r, mine, kVersion); break;
    case TUnitKind::Seams: {
        const int32_t seams = r.i32();
        const auto split = state.Inner.begin() + std::min<std::ptrdiff_t>(seams, std::ssize(state.Inner));
        MatchList(mine.Layers, std::vector<uint64_t>(state.Inner.begin(), split),
                  [&] { return TLayer::Create(&mine); });
        for (int i = 0; i < seams; ++i)
            MineStream::ReadSeam(r, *mine.Layers.Items(i));
        const int32_t positions = r.i32();
        MatchList(mine.PLFPositions, std::vector<uint64_t>(split, state.Inner.end()),
                  [&] { return TPLFPosition::Create(&mine); });
        for (int i = 0; i < positions; ++i) {
            TPLFPosition* p = mine.PLFPositions.Items(i);
            MineStream::ReadSeam(r, *p);
            p->SetPositionNo(r.i32());
        }
        break;
    }
    case TUnitKind::TextBlocks: {
        const int32_t blocks = r.i32();
        while (mine.TextBlocks.Count() > blocks)
            mine.TextBlocks.Remove(mine.TextBlocks.Items(mine.TextBlocks.Count() - 1));
        for (int i = 0; i < blocks; ++i)
            MineStream::ReadTextBlock(r, mine, i < mine.TextBlocks.Count() ? mine.TextBlocks.Items(i) : nullptr);
        break;
    }
    case TUnitKind::Uzel:
    case TUnitKind::Branch: break;
    }
}

TUzel* RecreateUzel(TMine& mine, const TUnitState& state)
{
    ByteReader r(state.Bytes);
    const TUzelState values = UzelRecord::ReadState(r, kVersion);
    TUzel* u = TUzel::Create(&mine, values.Number);
    u->RestoreSerial(state.Serial);
    u->Restore(values);
    return u;
}

TBranch* RecreateBranch(TMine& mine, const TUnitState& state)
{
    ByteReader r(state.Bytes);
    TBranch* b = BranchRecord::Read(r, mine, kVersion);
    RestoreBranchSerials(*b, state.Inner);
    return b;
}

}  // namespace MineUnits
