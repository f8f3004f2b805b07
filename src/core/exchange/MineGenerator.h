#pragma once

#include <cstdint>
#include <memory>

class TMine;

// Synthetic mines for benchmarks, tests and trying the programs on large networks: shafts
// from the surface to one to three horizons, main drifts with longwall panels, inclines and
// chambers, the fire-fighting pipeline with its sources, reducers, gates and hydrants,
// drainage and compressed-air pipes, degasification with vacuum pumps and well clusters,
// seams, plan positions and text blocks. The work is linear in the branch count, and the
// same arguments always give the same mine (GUID and diameter colours included).
namespace MineGenerator {

inline constexpr int kDefaultBranches = 1000;

// A mine with exactly branchCount branches (at least 1).
std::unique_ptr<TMine> Generate(int branchCount, uint64_t seed);

}  // namespace MineGenerator
