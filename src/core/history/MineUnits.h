#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

class TBranch;
class TMine;
class TUzel;

// The pieces the undo history keeps a mine in. Each is written with the network file's own
// record of it, so that what comes back is what a file would keep: the mine's header, its
// seams with plan positions, its text blocks, one node, one branch with its pipes, sections
// and devices.
enum class TUnitKind : uint8_t { Header, Seams, TextBlocks, Uzel, Branch };

// One piece as it stood: its record and the identities (serials) of the objects in it, so
// that objects brought back are the same objects to message lines, selections and windows.
struct TUnitState {
    TUnitKind Kind = TUnitKind::Header;
    uint64_t Serial = 0;  // of the node or branch; 0 for the mine-wide pieces
    int Index = -1;       // place in the mine's list of nodes or branches
    QByteArray Bytes;
    // Branch: per pipe, its first section's serial, its device count, then device and
    // section serials in turn. Seams: every seam's, then every plan position's serial.
    std::vector<uint64_t> Inner;

    bool SameAs(const TUnitState& other) const { return Bytes == other.Bytes && Inner == other.Inner; }
    // Memory the state keeps, for the history's bound.
    qint64 Footprint() const;
};

namespace MineUnits {

// The serials of a list's objects, in its order.
template <class List>
std::vector<uint64_t> SerialsOf(const List& list)
{
    std::vector<uint64_t> out;
    out.reserve(static_cast<size_t>(list.Count()));
    for (const auto* item : list)
        out.push_back(item->Serial());
    return out;
}

TUnitState Capture(const TUzel& uzel, int index);
TUnitState Capture(const TBranch& branch, int index);
TUnitState CaptureHeader(const TMine& mine);
TUnitState CaptureSeams(const TMine& mine);
TUnitState CaptureTextBlocks(const TMine& mine);

// Puts the state back into the object it was taken from (same serial).
void Restore(TUzel& uzel, const TUnitState& state);
void Restore(TBranch& branch, const TUnitState& state);
// Mine-wide pieces.
void Restore(TMine& mine, const TUnitState& state);

// Makes the node or branch anew at the end of its list, with its former identities.
TUzel* RecreateUzel(TMine& mine, const TUnitState& state);
TBranch* RecreateBranch(TMine& mine, const TUnitState& state);

}  // namespace MineUnits
