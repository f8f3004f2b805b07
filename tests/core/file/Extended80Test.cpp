#include "core/file/Extended80.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {

Extended80 Ext(uint16_t signExponent, uint64_t mantissa)
{
    Extended80 e;
    e.signExponent = signExponent;
    e.mantissa = mantissa;
    return e;
}

uint64_t Bits(double d) { return std::bit_cast<uint64_t>(d); }

// Compares bit patterns so that -0.0 and 0.0 differ and a wrong NaN is caught.
#define EXPECT_SAME_DOUBLE(expected, actual) EXPECT_EQ(Bits(expected), Bits(actual)) << (expected) << " vs " << (actual)

constexpr uint64_t kOne = uint64_t{1} << 63;
constexpr double kInf = std::numeric_limits<double>::infinity();

}  // namespace

TEST(Extended80, KnownBytePattern)
{
    std::array<uint8_t, 10> bytes{};
    Extended80::fromDouble(12.0).toBytes(bytes.data());
    const std::array<uint8_t, 10> expected{0, 0, 0, 0, 0, 0, 0, 0xC0, 0x02, 0x40};
    EXPECT_EQ(expected, bytes);
    EXPECT_SAME_DOUBLE(12.0, Extended80::fromBytes(expected.data()).toDouble());
}

TEST(Extended80, BytesAreMantissaThenSignExponentLittleEndian)
{
    const Extended80 e = Ext(0xC123, 0x0102030405060708);
    std::array<uint8_t, 10> bytes{};
    e.toBytes(bytes.data());
    const std::array<uint8_t, 10> expected{0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01, 0x23, 0xC1};
    EXPECT_EQ(expected, bytes);
    EXPECT_EQ(e, Extended80::fromBytes(bytes.data()));
}

TEST(Extended80, FromDoubleEncodings)
{
    EXPECT_EQ(Ext(0x3FFF, kOne), Extended80::fromDouble(1.0));
    EXPECT_EQ(Ext(0xC000, 0xA000000000000000), Extended80::fromDouble(-2.5));
    EXPECT_EQ(Ext(0x3FFB, 0xCCCCCCCCCCCCD000), Extended80::fromDouble(0.1));
    EXPECT_EQ(Ext(0x0000, 0), Extended80::fromDouble(0.0));
    EXPECT_EQ(Ext(0x8000, 0), Extended80::fromDouble(-0.0));
    EXPECT_EQ(Ext(0x43FE, 0xFFFFFFFFFFFFF800), Extended80::fromDouble(DBL_MAX));
    EXPECT_EQ(Ext(0x3C01, kOne), Extended80::fromDouble(DBL_MIN));
    // Subnormal doubles become normal extended values.
    EXPECT_EQ(Ext(16383 - 1074, kOne), Extended80::fromDouble(std::numeric_limits<double>::denorm_min()));
    EXPECT_EQ(Ext(16383 - 1023, kOne), Extended80::fromDouble(DBL_MIN / 2));
    EXPECT_EQ(Ext(0x7FFF, kOne), Extended80::fromDouble(kInf));
    EXPECT_EQ(Ext(0xFFFF, kOne), Extended80::fromDouble(-kInf));
    const Extended80 nan = Extended80::fromDouble(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(0x7FFF, nan.signExponent & 0x7FFF);
    EXPECT_NE(0u, nan.mantissa << 1);
}

TEST(Extended80, DoublesRoundTripExactly)
{
    const double values[] = {1.0, -2.5, 0.1, 1e-310, -1e-310, DBL_MAX, -DBL_MAX, DBL_MIN,
                             std::numeric_limits<double>::denorm_min(), 123456.789, -0.0, 0.0,
                             kInf, -kInf, 1.0 / 3.0, 6.02214076e23, std::nextafter(1.0, 2.0)};
    for (double v : values) {
        SCOPED_TRACE(v);
        EXPECT_SAME_DOUBLE(v, Extended80::fromDouble(v).toDouble());
    }
    std::mt19937_64 rng(17);
    for (int i = 0; i < 20000; ++i) {
        const double v = std::bit_cast<double>(rng());
        if (std::isnan(v))
            continue;
        ASSERT_EQ(Bits(v), Bits(Extended80::fromDouble(v).toDouble())) << v;
    }
}

TEST(Extended80, NaNStaysNaN)
{
    EXPECT_TRUE(std::isnan(Extended80::fromDouble(std::numeric_limits<double>::quiet_NaN()).toDouble()));
    EXPECT_TRUE(std::isnan(Extended80::fromDouble(std::numeric_limits<double>::signaling_NaN()).toDouble()));
    // Payloads only in the bits a double cannot hold must not turn into infinity.
    EXPECT_TRUE(std::isnan(Ext(0x7FFF, kOne | 1).toDouble()));
    EXPECT_TRUE(std::isnan(Ext(0xFFFF, 0xC000000000000000).toDouble()));
    EXPECT_TRUE(std::signbit(Ext(0xFFFF, 0xC000000000000000).toDouble()));
    // Pseudo-NaN: integer bit clear, fraction set.
    EXPECT_TRUE(std::isnan(Ext(0x7FFF, 0x4000000000000000).toDouble()));
}

TEST(Extended80, RoundsMantissaToNearestEven)
{
    const double ulp = std::ldexp(1.0, -52);
    // Exactly half an ulp above 1: the tie goes to the even neighbour 1.
    EXPECT_SAME_DOUBLE(1.0, Ext(0x3FFF, kOne | 0x400).toDouble());
    EXPECT_SAME_DOUBLE(1.0, Ext(0x3FFF, kOne | 0x3FF).toDouble());
    EXPECT_SAME_DOUBLE(1.0 + ulp, Ext(0x3FFF, kOne | 0x401).toDouble());
    // Half an ulp above 1 + ulp (odd): the tie goes up to 1 + 2 ulp.
    EXPECT_SAME_DOUBLE(1.0 + 2 * ulp, Ext(0x3FFF, kOne | 0xC00).toDouble());
    EXPECT_SAME_DOUBLE(-1.0 - 2 * ulp, Ext(0xBFFF, kOne | 0xC00).toDouble());
    // Carry out of the mantissa moves to the next power of two.
    EXPECT_SAME_DOUBLE(2.0, Ext(0x3FFF, ~uint64_t{0}).toDouble());
    EXPECT_SAME_DOUBLE(-2.0, Ext(0xBFFF, ~uint64_t{0}).toDouble());
}

TEST(Extended80, OverflowGivesInfinity)
{
    EXPECT_SAME_DOUBLE(DBL_MAX, Ext(0x43FE, 0xFFFFFFFFFFFFFBFF).toDouble());
    // Half an ulp above DBL_MAX rounds up (DBL_MAX is odd) and overflows.
    EXPECT_SAME_DOUBLE(kInf, Ext(0x43FE, 0xFFFFFFFFFFFFFC00).toDouble());
    EXPECT_SAME_DOUBLE(kInf, Ext(0x43FF, kOne).toDouble());
    EXPECT_SAME_DOUBLE(-kInf, Ext(0xFFFE, ~uint64_t{0}).toDouble());
}

TEST(Extended80, TinyValuesBecomeSubnormalOrZero)
{
    const double minSub = std::numeric_limits<double>::denorm_min();
    // 2^-1075 is half the smallest subnormal: the tie goes to zero, keeping the sign.
    EXPECT_SAME_DOUBLE(0.0, Ext(16383 - 1075, kOne).toDouble());
    EXPECT_SAME_DOUBLE(-0.0, Ext(0x8000 | (16383 - 1075), kOne).toDouble());
    EXPECT_SAME_DOUBLE(minSub, Ext(16383 - 1075, kOne | 1).toDouble());
    // 1.5 * 2^-1074 is a tie between 1 and 2 subnormal units: 2 is even.
    EXPECT_SAME_DOUBLE(2 * minSub, Ext(16383 - 1074, 0xC000000000000000).toDouble());
    // 2.5 units: tie goes down to 2.
    EXPECT_SAME_DOUBLE(2 * minSub, Ext(16383 - 1073, 0xA000000000000000).toDouble());
    EXPECT_SAME_DOUBLE(0.0, Ext(16383 - 1076, ~uint64_t{0}).toDouble());
    EXPECT_SAME_DOUBLE(0.0, Ext(0x0001, kOne).toDouble());
    // Just below the smallest normal: rounding carries into DBL_MIN.
    EXPECT_SAME_DOUBLE(DBL_MIN, Ext(16383 - 1023, ~uint64_t{0}).toDouble());
    // Extended denormals and pseudo-denormals are far below any double.
    EXPECT_SAME_DOUBLE(0.0, Ext(0x0000, 1).toDouble());
    EXPECT_SAME_DOUBLE(-0.0, Ext(0x8000, kOne).toDouble());
}

TEST(Extended80, OddPatternsReadByTheirArithmeticValue)
{
    // Unnormal: 0.5 * 2^1.
    EXPECT_SAME_DOUBLE(1.0, Ext(0x4000, 0x4000000000000000).toDouble());
    // Zero mantissa with any exponent is zero.
    EXPECT_SAME_DOUBLE(0.0, Ext(0x3FFF, 0).toDouble());
    EXPECT_SAME_DOUBLE(-0.0, Ext(0xBFFF, 0).toDouble());
    // Pseudo-infinity.
    EXPECT_SAME_DOUBLE(kInf, Ext(0x7FFF, 0).toDouble());
}

#if defined(__x86_64__) || defined(__i386__)
static_assert(LDBL_MANT_DIG == 64, "long double is the x87 format here");

// On x86 the hardware's own conversion is the reference.
TEST(Extended80, AgreesWithHardwareConversion)
{
    std::mt19937_64 rng(1951);
    for (int i = 0; i < 200000; ++i) {
        uint16_t se = static_cast<uint16_t>(rng());
        // Concentrate on exponents around the double range, where rounding happens.
        if (i % 2 == 0)
            se = static_cast<uint16_t>((se & 0x8000) | (16383 - 1100 + static_cast<int>(rng() % 2200)));
        uint64_t m = rng();
        if (i % 8 == 0)
            m &= ~uint64_t{0} << (rng() % 64);  // many trailing zeros: ties
        const int exp = se & 0x7FFF;
        if (exp == 0x7FFF)
            continue;
        // The hardware refuses unnormals; only valid encodings are compared.
        if (exp == 0)
            m &= ~kOne;
        else
            m |= kOne;
        const Extended80 e = Ext(se, m);
        long double ld = 0;
        std::array<uint8_t, 10> raw{};
        e.toBytes(raw.data());
        std::memcpy(&ld, raw.data(), raw.size());
        ASSERT_EQ(Bits(static_cast<double>(ld)), Bits(e.toDouble())) << std::hex << se << " " << m;
    }
}

TEST(Extended80, FromDoubleAgreesWithHardware)
{
    std::mt19937_64 rng(42);
    for (int i = 0; i < 100000; ++i) {
        const double d = std::bit_cast<double>(rng());
        if (std::isnan(d))
            continue;
        const long double ld = d;
        std::array<uint8_t, 16> raw{};
        std::memcpy(raw.data(), &ld, 10);
        ASSERT_EQ(Extended80::fromBytes(raw.data()), Extended80::fromDouble(d)) << d;
    }
}
#endif
