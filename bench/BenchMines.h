#pragma once

#include "core/exchange/MineGenerator.h"
#include "core/model/Mine.h"
#include "core/schema/SchemaPositions.h"
#include "core/services/NodeTransform.h"

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

// The transformation the editing and history benchmarks apply to every node: a turn by 7°
// about a point near the mine's middle.
inline TTransformRequest BenchRotation()
{
    TTransformRequest r;
    r.Kind = TTransformKind::Rotate;
    r.AngleDegrees = 7;
    r.X0 = 100;
    r.Y0 = 50;
    r.SchemaFactor = SchemaFactor(kDefaultMapScale);
    return r;
}
