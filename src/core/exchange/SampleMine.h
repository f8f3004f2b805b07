#pragma once

#include <memory>

class TMine;

// The small example network a new user opens first: a mine of two seams with a cage, a
// skip and a ventilation shaft, one main horizon with three longwall panels and a lower
// panel reached by an incline, and a fire-fighting pipeline that the checks find in order
// (surface pumps and a fire engine as sources, jet-break tanks and reducers against the
// head of the shafts, gates, hydrants at every pipe end), with drainage, compressed air and
// degasification.
namespace SampleMine {

std::unique_ptr<TMine> Build();

}  // namespace SampleMine
