// Holds ParseLength and FormatBitrate to the build machine's glibc: with
// --sample N SEED, N random cases of each kind; with --all, also every tie of
// the five-digit rounding and every result a typed input can give.
#include <random>

#include "model/calculator_model.h"
#include "tests/model/number_reference.h"
#include "model/presets.h"

namespace {

std::mt19937_64 g_random;

// (digits + 1/2) * 10^-places, if a double is exactly that, and its neighbours.
void CheckTie(long long digits, int places)
{
    long long odd = 2 * digits + 1, power = 1;
    for (int i = 0; i < std::abs(places); ++i)
        power *= 5;
    if (places < 0 ? (odd *= power) >= 1LL << 53 : odd % power != 0)
        return;
    const double tie = std::ldexp(static_cast<double>(places < 0 ? odd : odd / power), -places - 1);
    for (const double value : {tie, std::nextafter(tie, 0.0), std::nextafter(tie, HUGE_VAL)})
        CheckBitrate(value);
}

void CheckTyped(int megabytes, int minutes, int rate)
{
    const double bitrate =
        CalculatorModel::ComputeVideoBitrate(minutes * 60.0, rate, MegabytesToKilobytes(megabytes));
    if (bitrate > 0.0 && bitrate <= 97386.0)
        CheckBitrate(bitrate);
}

void CheckRandom()
{
    // Texts of the right letters, with up to 2000 digits and an exponent.
    std::string text(g_random() % 14, ' ');
    for (char& c : text)
        c = "0123456789.eE+- \t\n\v\f\rxin"[g_random() % 24];
    for (int i = g_random() % 4 == 0 ? g_random() % 100 : 0; i > 0; --i)
        text += std::to_string(g_random()) + (g_random() % 30 ? "" : ".");
    CheckLength(text +
                (g_random() % 2 ? "e" + std::to_string(static_cast<int>(g_random() % 700) - 350) : ""));
    // A double of any binade up to infinity; it and the midpoint below it with
    // all their digits (exact in long double); a little above and below that.
    const std::uint64_t bits = (g_random() >> 1) % (0x7ffULL << 52) + 1;
    const long double low = std::bit_cast<double>(bits - 1);
    const long double high = bits == 0x7ffULL << 52 ? std::ldexp(1.0L, 1024) : std::bit_cast<double>(bits);
    char midpoint[900];
    std::snprintf(midpoint, sizeof midpoint, "%.*Le", static_cast<int>(g_random() % 18), high);
    CheckLength(midpoint);
    std::snprintf(midpoint, sizeof midpoint, "%.800Le", (low + high) / 2);
    const std::string power = std::strchr(midpoint, 'e'), digits(midpoint, std::strchr(midpoint, 'e'));
    CheckLength(midpoint);
    CheckLength("-" + digits + std::string(300, '0') + "1" + power);
    CheckLength(digits.substr(0, 2 + g_random() % 800) + power);

    CheckTie(10000 + g_random() % 90000, static_cast<int>(g_random() % 26) - 17);
    CheckBitrate(std::bit_cast<double>(g_random()));
    CheckTyped(1 + g_random() % 9999, 1 + g_random() % 500, kAudioRates[g_random() % kAudioRates.size()]);
}

}  // namespace

int main(int argc, char** argv)
{
    const bool all = argc != 4 || std::strcmp(argv[1], "--sample") != 0;
    g_random.seed(all ? 1 : std::strtoull(argv[3], nullptr, 10));
    for (const double value : {HUGE_VAL, -HUGE_VAL, std::nan(""), -0.0, 9.99996e-3, 999999.0})  // and carries
        CheckBitrate(value);
    for (long i = all ? 1'000'000 : std::atol(argv[2]); i > 0; --i)
        CheckRandom();
    for (int places = -17; all && places <= 8; ++places)  // beyond these no double is a tie
        for (long long digits = 10000; digits < 100000; ++digits)
            CheckTie(digits, places);
    for (int megabytes = 1; all && megabytes <= 9999; ++megabytes)
        for (int minutes = 1; minutes <= 500; ++minutes)
            for (const int rate : kAudioRates)
                CheckTyped(megabytes, minutes, rate);
    std::printf("%ld checked, %ld failed\n", g_checked, g_failed);
    return g_failed == 0 ? 0 : 1;
}
