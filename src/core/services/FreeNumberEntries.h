#pragma once

#include <QString>
#include <vector>

class TMine;

// Which numbers count as used when free numbers are sought; combinable.
enum TNumberSource : int {
    nsUzels = 1,
    nsBranches = 2,
    nsWaterDevices = 4,  // devices of the fire-fighting, drainage and air pipes
    nsGasDevices = 8,
};

struct TFreeNumberEntry {
    QString Caption;
    int Number = 0;
};

// The numbers not yet used, as the free-number picker offers them: each gap below the
// largest used number, number by number or as one "%d - %d" entry for four or more, and
// optionally the tail "N и далее ..." with N the largest used number + 1.
namespace FreeNumberEntries {

std::vector<int> UsedNumbers(const TMine& mine, int sources, const std::vector<int>& extra = {});
std::vector<TFreeNumberEntry> Entries(std::vector<int> used, bool withTail);

// The number of the first entry, −1 when there is none.
int FirstFree(const TMine& mine, int sources, const std::vector<int>& extra, bool withTail);

// The number a new device gets: the first gap over nodes and the devices of the pipe family,
// or the largest used number + 1 when the numbering has no gap.
int SuggestedDeviceNumber(const TMine& mine, bool gasPipe);

}  // namespace FreeNumberEntries
