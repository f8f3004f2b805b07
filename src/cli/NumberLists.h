#pragma once

#include <QString>
#include <optional>
#include <vector>

// Comma-separated numbers of the editing commands ("1,2,3", "100.5,-20,0"), read in the C
// locale; none when a piece is not a number or the count is not the one required (0: any).
namespace Cli {

std::optional<std::vector<double>> ParseDoubles(const QString& text, int count = 0);
std::optional<std::vector<int>> ParseIntegers(const QString& text);

}  // namespace Cli
