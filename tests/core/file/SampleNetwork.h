#pragma once

#include "core/file/DocumentSettings.h"
#include "core/file/Extended80.h"
#include "core/model/Mine.h"

#include <memory>
#include <vector>

class TBranch;

// A small network that uses every record the network file knows: seams, plan positions,
// nodes, branches with water and degasification pipes, every device kind, text blocks,
// label offsets whose 80-bit values are no doubles, and reserved bytes that are not zero.
struct SampleNetwork {
    std::unique_ptr<TMine> mine;
    TDocumentSettings settings;
    std::vector<TBranch*> order;  // a display order that differs from the mine's order

    static SampleNetwork Make();
};

// An 80-bit value that no double holds: the low mantissa bits are set.
Extended80 OddExtended(double near);
