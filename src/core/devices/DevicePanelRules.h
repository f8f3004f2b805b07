#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class TBranch;
class TDevice;
class TMine;

// What the device panel beside the document shows and changes: the device type filter,
// the devices of the current branch, and the seam and plan position of the branches the
// user works on.
namespace DevicePanelRules {

// The entries of the device type box. An entry's index is the device kind it keeps (the
// first entry, 0, keeps every kind).
QStringList DeviceTypeEntries();

// One line of the device list and the device it stands for.
struct TDeviceLine {
    QString Text;
    TDevice* Device = nullptr;
};

// "Kind \"name\"", or the kind name alone for a device without a name.
QString DeviceLineText(const TDevice& device);

// The devices of the branch that are of the kind (every kind for 0): pipe by pipe in slot
// order, on each pipe in its own order. None for a null branch or an unknown kind.
std::vector<TDeviceLine> DeviceLines(const TBranch* branch, int kind);

// The branches a seam or plan position chosen in the panel goes to: every selected branch
// of the mine, or the current branch when no branch is selected (none without either).
std::vector<TBranch*> TargetBranches(const TMine& mine, TBranch* current);

// Give the seam / plan position with the index (−1 none) to the target branches. An index
// outside the mine's list means none. Returns how many branches changed.
int AssignLayer(TMine& mine, TBranch* current, int layerIndex);
int AssignPLF(TMine& mine, TBranch* current, int plfIndex);

}  // namespace DevicePanelRules
