#include <cmath>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "exact_decimal.h"
#include "number_text.h"

namespace {

struct FormatCase {
    double value;
    const char* text;
};

void ExpectTexts(std::initializer_list<FormatCase> cases)
{
    for (const auto& c : cases)
        EXPECT_STREQ(FormatBitrate(c.value).data(), c.text) << std::setprecision(17) << c.value;
}

TEST(FormatBitrate, Fixed)
{
    ExpectTexts({{611.5555555555555, "611.56"},
                 {1351.1111111111111, "1351.1"},
                 {49.49333333333333, "49.493"},
                 {88618.66666666667, "88619"},
                 {97386.0, "97386"},
                 {99999.0, "99999"},
                 {0.12345678, "0.12346"},
                 {0.1, "0.1"},
                 {1.5, "1.5"},
                 {0.34133333333333333, "0.34133"},
                 {12.3456, "12.346"}});
}

TEST(FormatBitrate, TrailingPoint)
{
    ExpectTexts({{640.0, "640."}, {1.0, "1."}, {10.0, "10."}, {0.5, "0.5"}, {1234.00001, "1234."}, {0.0, "0."}});
}

// Rounding that carries into a new digit keeps the places of the value
// itself, so the point stays ("10000." rather than "10000").
TEST(FormatBitrate, Carries)
{
    ExpectTexts({{9999.97, "10000."},
                 {9999.95, "10000."},
                 {9999.949, "9999.9"},
                 {99.9996, "100."},
                 {0.999996, "1."},
                 {9.99995, "10."},
                 {99999.5, "100000"},
                 {99999.4, "99999"}});
}

// Exact halves (binary fractions) round up, where to-even would go down.
TEST(FormatBitrate, Halves)
{
    ExpectTexts({{88618.5, "88619"},
                 {88617.5, "88618"},
                 {1234.25, "1234.3"},
                 {611.125, "611.13"},
                 {12.0625, "12.063"},
                 {1.03125, "1.0313"},
                 {0.515625, "0.51563"},
                 {0.00390625, "3.9063e-003"},
                 {0.000244140625, "2.4414e-004"}});
}

// Decimal halves are not doubles: the double's exact value decides, e.g.
// 611.555 is 611.55499999999994997... and 1.00005 is 1.00005000000000010...
TEST(FormatBitrate, NearHalves)
{
    ExpectTexts({{0.999995, "0.99999"},
                 {1.00005, "1.0001"},
                 {611.555, "611.55"},
                 {12.3455, "12.345"},
                 {0.123455, "0.12345"},
                 {0.0123455, "1.2346e-002"}});
}

TEST(FormatBitrate, Exponent)
{
    ExpectTexts({{0.05, "5.e-002"},
                 {0.06826666666666667, "6.8267e-002"},
                 {0.099999999, "1.e-001"},
                 {0.09999, "9.999e-002"},
                 {0.000123456, "1.2346e-004"},
                 {1e-5, "1.e-005"},
                 {1e-300, "1.e-300"},
                 {5e-324, "4.9407e-324"},
                 {100000.0, "1.e+005"},
                 {123456.0, "1.2346e+005"},
                 {177365.33333333334, "1.7737e+005"},
                 {1e300, "1.e+300"},
                 {std::numeric_limits<double>::max(), "1.7977e+308"}});
}

TEST(FormatBitrate, Unusual)
{
    ExpectTexts({{-611.5555555555555, "-611.56"},
                 {-0.05, "-5.e-002"},
                 {std::numeric_limits<double>::infinity(), "inf"},
                 {-std::numeric_limits<double>::infinity(), "-inf"},
                 {std::numeric_limits<double>::quiet_NaN(), "nan"}});
}

// The boundary at 0.1 is exact: the double just below 0.1 is below 1/10.
TEST(FormatBitrate, TenthBoundary)
{
    EXPECT_STREQ(FormatBitrate(0.1).data(), "0.1");
    EXPECT_STREQ(FormatBitrate(std::nextafter(0.1, 0.0)).data(), "1.e-001");
    EXPECT_STREQ(FormatBitrate(std::nextafter(1.0, 0.0)).data(), "1.");
    EXPECT_STREQ(FormatBitrate(std::nextafter(100000.0, 0.0)).data(), "100000");
}

// --- The reference itself ------------------------------------------------------

TEST(ExactDecimalReference, ExpandsKnownValues)
{
    const ExactDecimal tenth = ExpandExactly(0.1);
    EXPECT_EQ(tenth.digits, "1000000000000000055511151231257827021181583404541015625");
    EXPECT_EQ(tenth.point, 0);
    const ExactDecimal large = ExpandExactly(1e23);
    EXPECT_EQ(large.digits, "99999999999999991611392");
    EXPECT_EQ(large.point, 23);
    const ExactDecimal small = ExpandExactly(0.00390625);
    EXPECT_EQ(small.digits, "390625");
    EXPECT_EQ(small.point, -2);
}

TEST(ExactDecimalReference, FormatsKnownValues)
{
    EXPECT_EQ(ReferenceBitrateText(611.5555555555555), "611.56");
    EXPECT_EQ(ReferenceBitrateText(640.0), "640.");
    EXPECT_EQ(ReferenceBitrateText(9999.97), "10000.");
    EXPECT_EQ(ReferenceBitrateText(88618.5), "88619");
    EXPECT_EQ(ReferenceBitrateText(0.05), "5.e-002");
    EXPECT_EQ(ReferenceBitrateText(0.099999999), "1.e-001");
    EXPECT_EQ(ReferenceBitrateText(123456.0), "1.2346e+005");
}

// --- Differential: the formatter against the exact reference -------------------

void ExpectMatchesReference(double value)
{
    const std::string expected = ReferenceBitrateText(value);
    ASSERT_EQ(FormatBitrate(value).data(), expected) << std::hexfloat << value;
}

TEST(FormatBitrateDifferential, RandomValuesFromOneMillionthTo100000)
{
    std::mt19937_64 random(611556);
    std::uniform_real_distribution<double> logarithm(std::log(1e-6), std::log(1e5));
    for (int i = 0; i < 1000000; ++i)
        ExpectMatchesReference(std::exp(logarithm(random)));
}

// Doubles nearest to a half of the last shown digit, above or below it.
TEST(FormatBitrateDifferential, ValuesNearHalves)
{
    std::mt19937_64 random(97386);
    for (int i = 0; i < 200000; ++i) {
        const int places = static_cast<int>(random() % 11) - 1; // 10^1 .. 10^-9 steps
        const double halfway = (static_cast<double>(random() % 100000) + 0.5) * std::pow(10.0, -places);
        const int ulps = static_cast<int>(random() % 5) - 2;
        double value = halfway;
        for (int step = 0; step < std::abs(ulps); ++step)
            value = std::nextafter(value, ulps < 0 ? 0.0 : 1e9);
        if (value > 0.0)
            ExpectMatchesReference(value);
    }
}

// Exact binary halves: odd multiples of 2^-(places + 1) in each decade.
TEST(FormatBitrateDifferential, ExactHalves)
{
    std::mt19937_64 random(120);
    for (int places = 0; places <= 5; ++places) {
        const double low = std::pow(10.0, 4 - places);
        // Odd multiples of the half-unit that stay inside [low, 10 * low).
        const auto count = static_cast<std::uint64_t>(std::ldexp(4.5 * low, places + 1));
        for (int i = 0; i < 20000; ++i) {
            const double odd = static_cast<double>(2 * (random() % count) + 1);
            const double value = low + std::ldexp(odd, -(places + 1));
            ExpectMatchesReference(value);
        }
    }
}

// Every bitrate the form can reach from whole minutes, all sound rates and a
// spread of megabyte figures.
TEST(FormatBitrateDifferential, ReachableBitrates)
{
    const int rates[] = {40, 32, 28, 24, 20, 16, 14, 12, 8, 7};
    for (int megabytes = 1; megabytes <= 9999; megabytes += 13) {
        for (int minutes = 1; minutes <= 500; ++minutes) {
            for (const int rate : rates) {
                const double seconds = minutes * 60.0;
                const double bitrate = (megabytes * 1024.0 - rate * seconds) / seconds * 8.0;
                if (bitrate > 0.0 && bitrate <= 97386.0)
                    ExpectMatchesReference(bitrate);
            }
        }
    }
}

} // namespace
