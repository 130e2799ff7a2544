// Holds ParseLength and FormatBitrate to the build machine's glibc: with --sample N SEED, N random cases of
// each kind; with --all, also every tie of the five-digit rounding and every result a typed input can give,
// and prints a hash of their texts (only that on Windows; tools/x87-sweep.sh). --texts FIRST STRIDE writes
// a sample's hash as C++, for the window tests.
#include <random>

#include "tests/model/number_reference.h"

#ifndef _WIN32
namespace {

std::mt19937_64 g_random;

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

    CheckTie(10000 + g_random() % 90000, static_cast<int>(g_random() % 26) - 17, CheckBitrate);
    CheckBitrate(std::bit_cast<double>(g_random()));
    CheckTyped(1 + g_random() % 9999, 1 + g_random() % 500, kAudioRates[g_random() % kAudioRates.size()],
               CheckBitrate);
}

}  // namespace
#endif

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    const bool all = argc == 2 && mode == "--all";
    if (!all && !(argc == 4 && (mode == "--sample" || mode == "--texts"))) {
        std::fprintf(stderr, "usage: %s --all | --sample N SEED | --texts FIRST STRIDE\n", argv[0]);
        return 2;
    }
    if (mode == "--texts") {
        std::printf("constexpr long kSampleFirst = %s, kSampleStride = %s;\n"
                    "constexpr std::uint64_t kNativeTexts = 0x%016llxULL;\n",
                    argv[2], argv[3], HashTiesAndTyped(std::atol(argv[2]), std::atol(argv[3])));
        return 0;
    }
    void (*check)(double) = nullptr;  // Windows has no glibc to hold the texts to
#ifndef _WIN32
    check = CheckBitrate;
    g_random.seed(all ? 1 : std::strtoull(argv[3], nullptr, 10));
    for (const double value : {HUGE_VAL, -HUGE_VAL, std::nan(""), -0.0, 9.99996e-3, 999999.0})  // and carries
        CheckBitrate(value);
    // Native only: their inputs are built in long double, which an x87 unit at 53 bits would round.
    for (long i = all ? 1'000'000 : std::atol(argv[2]); i > 0; --i)
        CheckRandom();
#endif
    if (all)
        std::printf("texts of every tie and typed result: FNV-1a 64 %016llx\n",
                    HashTiesAndTyped(0, 1, check));
    std::printf("%ld checked, %ld failed\n", g_checked, g_failed);
    return g_failed == 0 ? 0 : 1;
}
