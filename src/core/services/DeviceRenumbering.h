#pragma once

#include <QString>
#include <vector>

class TDevice;
class TMine;

// New numbers for every device of the fire-fighting pipes, in branch order: by the number
// of the branch, then along the branch from its start node.
namespace DeviceRenumbering {

enum class TMode {
    AfterMaximum,  // N, N + 1, … with N after the largest node and other device number
    FillFree,      // as above, then each device in turn takes the first gap below the largest
};

inline const QString kNoWaterDevices = QStringLiteral("Водопроводное оборудование отсутствует");

// The devices of the fire-fighting pipes in the order they are numbered.
std::vector<TDevice*> FireDevicesInOrder(const TMine& mine);

// The first number handed out in either mode: one more than the largest number of the nodes
// and of the devices that keep theirs (drainage, air and degasification pipes), so the new
// numbers never clash with them.
int FirstNumberAfterMaximum(const TMine& mine);

// Throws Exception(kNoWaterDevices), changing nothing, when no fire-fighting pipe carries a
// device.
void Renumber(TMine& mine, TMode mode);

}  // namespace DeviceRenumbering
