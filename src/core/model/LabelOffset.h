#pragma once

#include "core/file/Extended80.h"

// Position of a label on the 2D schema relative to its anchor, in schema units.
// Kept as the 80-bit values the file holds, so an untouched offset survives a
// read and a write bit for bit.
struct TLabelOffset {
    Extended80 DX;
    Extended80 DY;

    static TLabelOffset Make(double dx, double dy)
    {
        return {Extended80::fromDouble(dx), Extended80::fromDouble(dy)};
    }
    double X() const { return DX.toDouble(); }
    double Y() const { return DY.toDouble(); }
    bool operator==(const TLabelOffset&) const = default;
};
