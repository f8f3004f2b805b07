#pragma once

#include <cstdint>

// An x87 80-bit extended-precision value, kept as its bit pattern so that values read from a
// file are written back bit for bit. Conversions are portable: no long double involved.
// Packed to its ten bytes: every label offset of a mine holds two.
struct __attribute__((packed, aligned(2))) Extended80 {
    uint64_t mantissa = 0;      // explicit integer bit included (bit 63)
    uint16_t signExponent = 0;  // sign bit 15, exponent bits 0-14, bias 16383

    // Exact: every double, subnormals included, is a normal extended value.
    static Extended80 fromDouble(double v);
    // Rounds to nearest, ties to even; too large gives infinity, too small a subnormal or
    // zero; a NaN stays a NaN. Patterns a valid file never holds are read by their
    // arithmetic value: denormals and pseudo-denormals as mantissa * 2^-16445, unnormals
    // (integer bit clear) as mantissa * 2^(exponent - 16446); a pseudo-infinity is infinity.
    double toDouble() const;
    static Extended80 fromBytes(const uint8_t* tenBytes);  // little-endian
    void toBytes(uint8_t* tenBytes) const;
    bool operator==(const Extended80&) const = default;
};
