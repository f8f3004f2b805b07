#pragma once

#include <QString>
#include <vector>

class TMine;

// One line of the mine statistics: a caption, its value, bold for group heads. An empty
// caption and value separate groups.
struct TStatisticsRow {
    QString Caption;
    QString Value;
    bool Bold = false;
};

namespace MineStatistics {

// The summary of the mine as the statistics window lists it. filePath and formatVersion
// describe the document the mine belongs to.
std::vector<TStatisticsRow> Rows(const TMine& mine, const QString& filePath, int formatVersion);

}  // namespace MineStatistics
