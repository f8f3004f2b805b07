#pragma once

#include "core/exchange/MineGenerator.h"
#include "core/model/Mine.h"

#include <map>
#include <memory>

// The generated mine of a size, made once per run and shared by every benchmark.
inline TMine& BenchMine(int branchCount)
{
    static std::map<int, std::unique_ptr<TMine>> mines;
    auto& slot = mines[branchCount];
    if (!slot)
        slot = MineGenerator::Generate(branchCount, 1);
    return *slot;
}
