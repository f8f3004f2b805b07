#pragma once

#include <cstdio>
#include <cstdlib>

// A broken property of a reader is a finding like a crash: libFuzzer keeps the input that
// made the process abort.
inline void FuzzRequire(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "property violated: %s\n", property);
    std::abort();
}
