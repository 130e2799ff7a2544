#include <cmath>
#include <iomanip>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "exact_decimal.h"
#include "number_text.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(FormatBitrate, FiveSignificantDigits)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {611.5555555555555, "611.56"},
        {88618.66666666667, "88619"},
        {640.0, "640."}, // a point with nothing after it
        {0.0, "0."},
        {9999.97, "10000."}, // a carry keeps the places of the value
        {99999.5, "100000"},
        {88618.5, "88619"}, // exact halves round up, not to even
        {1234.25, "1234.3"},
        {0.00390625, "3.9063e-003"},
        {123465.0, "1.2347e+005"},
        {611.555, "611.55"}, // a decimal half is no double: 611.55499999...
        {1.00005, "1.0001"}, // 1.0000500000000001...
        {0.1, "0.1"},        // fixed from exactly 1/10 up to 100000
        {std::nextafter(0.1, 0.0), "1.e-001"},
        {0.099999999, "1.e-001"},
        {0.06826666666666667, "6.8267e-002"},
        {0.05, "5.e-002"},
        {100000.0, "1.e+005"},
        {5e-324, "4.9407e-324"},
        {std::numeric_limits<double>::max(), "1.7977e+308"},
        {-611.5555555555555, "-611.56"},
        {kInf, "inf"},
        {-kInf, "-inf"},
        {std::numeric_limits<double>::quiet_NaN(), "nan"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(FormatBitrate(c.value).data(), c.text) << std::setprecision(17) << c.value;
}

void ExpectMatchesReference(double value)
{
    ASSERT_EQ(FormatBitrate(value).data(), ReferenceBitrateText(value)) << std::hexfloat << value;
}

// The formatter against the exact decimal reference: a seeded sample spread
// over the decades, doubles next to a half of the last shown digit (exact
// binary halves among them), and the bitrates whole minutes can reach.
TEST(FormatBitrate, AgreesWithTheExactReference)
{
    std::mt19937_64 random(611556);
    std::uniform_real_distribution<double> logarithm(std::log(1e-6), std::log(1e7));
    for (int i = 0; i < 100000; ++i) {
        ExpectMatchesReference(std::exp(logarithm(random)));
        // (k + 1/2) * 10^-places, a few ulps either side.
        const int places = static_cast<int>(random() % 13) - 3;
        double value = (static_cast<double>(random() % 100000) + 0.5) * std::pow(10.0, -places);
        const int ulps = static_cast<int>(random() % 5) - 2;
        for (int step = 0; step < std::abs(ulps); ++step)
            value = std::nextafter(value, ulps < 0 ? 0.0 : kInf);
        ExpectMatchesReference(value);
        // An odd multiple of 2^-(places + 1) in [10^(4-places), 10^(5-places)).
        const int binaryPlaces = static_cast<int>(random() % 6);
        const double low = std::pow(10.0, 4 - binaryPlaces);
        const auto count = static_cast<unsigned>(std::ldexp(4.5 * low, binaryPlaces + 1));
        const auto odd = static_cast<double>(2 * (random() % count) + 1);
        ExpectMatchesReference(low + std::ldexp(odd, -(binaryPlaces + 1)));
    }
    const int rates[] = {40, 32, 28, 24, 20, 16, 14, 12, 8, 7};
    for (int megabytes = 1; megabytes <= 9999; megabytes += 97) {
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
