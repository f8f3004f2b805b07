#include "core/file/Extended80.h"

#include <bit>
#include <cstring>
#include <limits>

namespace {
constexpr int kExtBias = 16383;
constexpr int kDoubleBias = 1023;
constexpr uint64_t kIntegerBit = uint64_t{1} << 63;
}  // namespace

Extended80 Extended80::fromDouble(double v)
{
    const uint64_t bits = std::bit_cast<uint64_t>(v);
    const uint16_t sign = static_cast<uint16_t>((bits >> 63) << 15);
    const int exp = static_cast<int>((bits >> 52) & 0x7FF);
    const uint64_t frac = bits & ((uint64_t{1} << 52) - 1);
    Extended80 e;
    if (exp == 0x7FF) {  // infinity or NaN
        e.signExponent = sign | 0x7FFF;
        e.mantissa = kIntegerBit | (frac << 11);
        return e;
    }
    if (exp == 0) {
        if (frac == 0) {
            e.signExponent = sign;
            return e;
        }
        // Subnormal double: normalise; the extended range holds it as a normal number.
        const int shift = std::countl_zero(frac);  // frac < 2^52, so shift >= 12
        e.mantissa = frac << shift;
        const int unbiased = -kDoubleBias + 1 - (shift - 11);
        e.signExponent = static_cast<uint16_t>(sign | (unbiased + kExtBias));
        return e;
    }
    e.mantissa = kIntegerBit | (frac << 11);
    e.signExponent = static_cast<uint16_t>(sign | (exp - kDoubleBias + kExtBias));
    return e;
}

double Extended80::toDouble() const
{
    const bool negative = (signExponent & 0x8000) != 0;
    const int exp = signExponent & 0x7FFF;
    // The common case, a value written from a double: normal, nothing to round.
    if ((mantissa & kIntegerBit) && (mantissa & 0x7FF) == 0 && exp >= kExtBias - kDoubleBias + 1 &&
        exp <= kExtBias + kDoubleBias)
        return std::bit_cast<double>((uint64_t{negative} << 63) | (uint64_t(exp - kExtBias + kDoubleBias) << 52) |
                                     ((mantissa >> 11) & ((uint64_t{1} << 52) - 1)));
    const double signedOne = negative ? -1.0 : 1.0;
    if (exp == 0x7FFF) {
        if ((mantissa << 1) == 0)
            return signedOne * std::numeric_limits<double>::infinity();
        // Keep the payload's top bits so a NaN stays a NaN.
        const uint64_t frac = ((mantissa << 1) >> 12) | (uint64_t{1} << 51);
        return std::bit_cast<double>((uint64_t{negative} << 63) | (uint64_t{0x7FF} << 52) | frac);
    }
    if (mantissa == 0)
        return negative ? -0.0 : 0.0;
    // Value = mantissa * 2^(e - 63), e the unbiased exponent; denormals and unnormals
    // (integer bit clear) come out of the same arithmetic.
    int e = (exp == 0 ? 1 : exp) - kExtBias;
    uint64_t m = mantissa;
    const int lz = std::countl_zero(m);
    m <<= lz;
    e -= lz;
    // Now m has its top bit set and value = m * 2^(e - 63).
    int targetExp = e + kDoubleBias;  // biased exponent of the double
    int dropBits = 11;                // 64-bit mantissa down to 53 bits
    if (targetExp <= 0) {
        // Subnormal result: drop more bits.
        dropBits += 1 - targetExp;
        targetExp = 0;
    }
    if (dropBits > 64)
        return negative ? -0.0 : 0.0;
    uint64_t kept;
    bool roundUp;
    if (dropBits == 64) {
        kept = 0;
        const uint64_t half = kIntegerBit;
        roundUp = m > half;  // a tie rounds to the even kept value 0
    } else {
        kept = m >> dropBits;
        const uint64_t rest = m & ((uint64_t{1} << dropBits) - 1);
        const uint64_t half = uint64_t{1} << (dropBits - 1);
        roundUp = rest > half || (rest == half && (kept & 1));
    }
    if (roundUp)
        ++kept;
    uint64_t bits;
    if (targetExp == 0) {
        // kept may have grown into the smallest normal; the bit layout handles it.
        bits = kept;
    } else {
        if (kept >> 53) {  // rounding carried into a new bit
            kept >>= 1;
            ++targetExp;
        }
        if (targetExp >= 0x7FF)
            return signedOne * std::numeric_limits<double>::infinity();
        bits = (uint64_t(targetExp) << 52) | (kept & ((uint64_t{1} << 52) - 1));
    }
    return std::bit_cast<double>((uint64_t{negative} << 63) | bits);
}

Extended80 Extended80::fromBytes(const uint8_t* b)
{
    Extended80 e;
    for (int i = 7; i >= 0; --i)
        e.mantissa = (e.mantissa << 8) | b[i];
    e.signExponent = static_cast<uint16_t>(b[8] | (b[9] << 8));
    return e;
}

void Extended80::toBytes(uint8_t* b) const
{
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<uint8_t>(mantissa >> (8 * i));
    b[8] = static_cast<uint8_t>(signExponent & 0xFF);
    b[9] = static_cast<uint8_t>(signExponent >> 8);
}
