#pragma once

#include "core/model/Branch.h"
#include "core/model/Pipe.h"

// The pipes of a branch the schema shows for a displayed pipe type: the laid water pipe of
// slots 0-2, every degasification pipe for type 3, nothing for -1. Drawing and hit-testing
// walk the same pipes.
template <class F>
void ForEachDisplayedPipe(const TBranch& branch, int pipeIndex, F&& f)
{
    if (pipeIndex < 0)
        return;
    if (pipeIndex <= 2) {
        const TPipe* pipe = pipeIndex < branch.Pipes.Count() ? branch.Pipes.Items(pipeIndex) : nullptr;
        if (pipe && IsLaid(pipe))
            f(pipe);
        return;
    }
    for (int i = 3; i < branch.Pipes.Count(); ++i)
        f(branch.Pipes.Items(i));
}
