#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "model/exact_arithmetic.h"
#include "model/number_text.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Significant digits kept exactly. A midpoint between two doubles has at most
// 767, so the digits after these can only say on which side of it the number
// lies, never that it is one.
constexpr int kKeptDigits = 800;

// 800 digits are 2658 bits, and so is 5^1125 times a 55-bit midpoint.
using Digits = BigUnsigned<86>;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsSign(char c)
{
    return c == '+' || c == '-';
}

// Drops what atof and atoi both allow before the digits: the C locale's
// blanks (the space, and \t to \r: the only ones they skip), then a sign.
// True if it was a minus.
bool DropBlanksAndSign(std::string_view& text)
{
    while (!text.empty() && (text[0] == ' ' || (text[0] >= '\t' && text[0] <= '\r')))
        text.remove_prefix(1);
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && IsSign(text[0]))
        text.remove_prefix(1);
    return negative;
}

std::int32_t SaturateToInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// The bit pattern of 2^exponent, saturated at 0 and infinity.
std::uint64_t PowerOfTwoBits(int exponent)
{
    if (exponent > 1023)
        return std::uint64_t{0x7ff} << 52;
    if (exponent >= -1022)
        return static_cast<std::uint64_t>(exponent + 1023) << 52;
    if (exponent >= -1074)
        return std::uint64_t{1} << (exponent + 1074);
    return 0;
}

// The sign of digits * 10^exponent minus the midpoint of the doubles with the
// bit patterns bits - 1 and bits (bits up to infinity's, whose neighbour is
// the largest double). scaled is digits * 5^exponent when it is whole,
// powerOf5 is 5^-exponent when that is.
int CompareWithMidpoint(const Digits& scaled, const Digits& powerOf5, int exponent, std::uint64_t bits)
{
    const BinaryNumber upper = FromBits(bits);
    const BinaryNumber lower = FromBits(bits - 1);
    // The midpoint is sum * 2^(lower.exponent - 1); the exponents differ by 1
    // at most, so the sum stays below 2^55.
    const std::uint64_t sum = (upper.mantissa << (upper.exponent - lower.exponent)) + lower.mantissa;
    Digits midpoint;
    midpoint.SetProduct(powerOf5, sum);
    return Compare(scaled, midpoint, lower.exponent - 1 - exponent);
}

}  // namespace

double ParseLength(std::string_view text)
{
    const bool negative = DropBlanksAndSign(text);
    const std::size_t size = text.size();
    std::size_t pos = 0;

    // The number is digits * 10^exponent: the first kKeptDigits significant
    // digits, then a 1 if any later one is nonzero.
    Digits digits;
    std::uint64_t leading = 0;  // the same digits while there are few
    int kept = 0;
    bool sticky = false;
    bool any = false;
    bool fraction = false;
    std::int64_t exponent = 0;
    for (; pos < size; ++pos) {
        const char c = text[pos];
        if (c == '.' && !fraction) {
            fraction = true;
            continue;
        }
        if (!IsDigit(c))
            break;
        any = true;
        if (kept < kKeptDigits) {
            digits.MulAdd(10, static_cast<std::uint32_t>(c - '0'));
            leading = leading * 10 + static_cast<std::uint64_t>(c - '0');
            kept += kept > 0 || c != '0';
            exponent -= fraction;
        } else {
            sticky |= c != '0';
            exponent += !fraction;
        }
    }
    if (!any)
        return 0.0;

    // An exponent counts only with at least one digit: "1e" and "1e+" are 1.
    if (pos < size && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t expPos = pos + 1;
        const bool negativeExp = expPos < size && text[expPos] == '-';
        if (expPos < size && IsSign(text[expPos]))
            ++expPos;
        // Far beyond any double's range already; stops the sum overflowing.
        constexpr std::int64_t kExponentCap = 1'000'000'000;
        std::int64_t written = 0;
        for (; expPos < size && IsDigit(text[expPos]); ++expPos)
            written = std::min(written * 10 + (text[expPos] - '0'), kExponentCap);
        exponent += negativeExp ? -written : written;
    }

    // The number lies in [10^lead, 10^(lead + 1)).
    const std::int64_t lead = kept - 1 + exponent;
    if (kept == 0 || lead < -324)  // below half the least subnormal
        return negative ? -0.0 : 0.0;
    if (lead > 308)
        return negative ? -kInfinity : kInfinity;

    // Few digits and a small power of ten are exact doubles: one rounding.
    if (!sticky && kept <= 15 && exponent >= -22 && exponent <= 22) {
        double power = 1.0;
        for (std::int64_t i = exponent < 0 ? -exponent : exponent; i > 0; --i)
            power *= 10.0;
        const double value = static_cast<double>(leading);
        const double magnitude = exponent < 0 ? value / power : value * power;
        return negative ? -magnitude : magnitude;
    }

    if (sticky) {
        digits.MulAdd(10, 1);
        --exponent;
    }
    // Now -1125 <= exponent <= 308.
    const int decimalExponent = static_cast<int>(exponent);
    Digits powerOf5(1);
    if (decimalExponent >= 0)
        digits.MulPow5(decimalExponent);
    else
        powerOf5.MulPow5(-decimalExponent);

    // The result is the largest double whose lower midpoint is at most the
    // number (the even one on a tie); bit patterns order positive doubles, and
    // 2^low < 10^lead, 10^(lead + 1) <= 2^high bound it.
    const int low = static_cast<int>(lead) * 3322 / 1000 - 2;
    const int high = static_cast<int>(lead + 1) * 3322 / 1000 + 2;
    std::uint64_t below = PowerOfTwoBits(low);
    std::uint64_t above = PowerOfTwoBits(high);
    bool tie = false;
    while (below < above) {
        const std::uint64_t middle = below + (above - below + 1) / 2;
        const int side = CompareWithMidpoint(digits, powerOf5, decimalExponent, middle);
        if (side >= 0) {
            below = middle;
            tie = side == 0;
        } else {
            above = middle - 1;
        }
    }
    const std::uint64_t bits = below - (tie && (below & 1) != 0 ? 1 : 0);
    return std::bit_cast<double>(bits | (negative ? std::uint64_t{1} << 63 : 0));
}

std::int32_t ParseMegabytes(std::string_view text)
{
    const bool negative = DropBlanksAndSign(text);

    // Stops growing once past the int32 range, however many digits follow.
    constexpr std::int64_t kBeyondInt32 = std::int64_t{1} << 31;
    std::int64_t magnitude = 0;
    for (std::size_t pos = 0; pos < text.size() && IsDigit(text[pos]); ++pos)
        magnitude = std::min(magnitude * 10 + (text[pos] - '0'), kBeyondInt32);
    return SaturateToInt32(negative ? -magnitude : magnitude);
}

std::int32_t MegabytesToKilobytes(std::int32_t megabytes)
{
    return SaturateToInt32(std::int64_t{megabytes} * 1024);
}
