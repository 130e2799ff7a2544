#include "exact_decimal.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

struct ExactDecimal {
    std::string digits; // no leading or trailing zeros; empty for 0
    int point;          // digits before the decimal point (may be <= 0)
};

constexpr std::uint32_t kLimbBase = 1000000000; // nine decimal digits per limb

// Little-endian base-10^9 number times a factor below 2^32.
void Multiply(std::vector<std::uint32_t>& limbs, std::uint32_t factor)
{
    std::uint64_t carry = 0;
    for (auto& limb : limbs) {
        const std::uint64_t product = std::uint64_t{limb} * factor + carry;
        limb = static_cast<std::uint32_t>(product % kLimbBase);
        carry = product / kLimbBase;
    }
    while (carry != 0) {
        limbs.push_back(static_cast<std::uint32_t>(carry % kLimbBase));
        carry /= kLimbBase;
    }
}

void MultiplyByPower(std::vector<std::uint32_t>& limbs, std::uint32_t base, int count)
{
    // Chunks of base^k that stay below 2^32 (5^13, 2^31).
    const int chunk = base == 5 ? 13 : 31;
    std::uint32_t chunkFactor = 1;
    for (int i = 0; i < chunk; ++i)
        chunkFactor *= base;
    for (; count >= chunk; count -= chunk)
        Multiply(limbs, chunkFactor);
    std::uint32_t rest = 1;
    for (int i = 0; i < count; ++i)
        rest *= base;
    Multiply(limbs, rest);
}

std::string ToDecimal(const std::vector<std::uint32_t>& limbs)
{
    std::string text;
    for (auto it = limbs.rbegin(); it != limbs.rend(); ++it) {
        std::string part = std::to_string(*it);
        if (!text.empty())
            part.insert(0, 9 - part.size(), '0');
        text += part;
    }
    const auto first = text.find_first_not_of('0');
    return first == std::string::npos ? std::string() : text.substr(first);
}

// Adds one unit to a string of decimal digits; may lengthen it.
void Increment(std::string& digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

std::string TrimZerosKeepPoint(std::string text)
{
    while (text.back() == '0')
        text.pop_back();
    return text;
}

// The first `count` significant digits of x, rounded half up on the next one
// (the expansion is exact: a 5 there means at least half).
std::string RoundedDigits(const ExactDecimal& x, std::size_t count)
{
    std::string kept = x.digits.substr(0, count);
    kept.resize(count, '0');
    if (x.digits.size() > count && x.digits[count] >= '5')
        Increment(kept);
    return kept;
}

// The exact decimal expansion of a finite, non-negative double.
ExactDecimal ExpandExactly(double value)
{
    int exponent = 0;
    const double fraction = std::frexp(value, &exponent);
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    exponent -= 53; // value = mantissa * 2^exponent
    std::vector<std::uint32_t> limbs;
    for (; mantissa != 0; mantissa /= kLimbBase)
        limbs.push_back(static_cast<std::uint32_t>(mantissa % kLimbBase));
    int fractionDigits = 0;
    if (exponent >= 0) {
        MultiplyByPower(limbs, 2, exponent);
    } else {
        // m / 2^k = m * 5^k / 10^k
        MultiplyByPower(limbs, 5, -exponent);
        fractionDigits = -exponent;
    }
    ExactDecimal x{ToDecimal(limbs), 0};
    x.point = static_cast<int>(x.digits.size()) - fractionDigits;
    // Trailing zeros say nothing once the point is placed.
    x.digits.erase(x.digits.find_last_not_of('0') + 1);
    return x;
}

} // namespace

std::string ReferenceBitrateText(double value)
{
    const ExactDecimal x = ExpandExactly(value);
    // From exactly 1/10 up to 10^5 (not from the double nearest 0.1).
    if (x.point >= 0 && x.point <= 5) {
        const int integerDigits = x.point;
        const int places = 5 - integerDigits;
        // From 0.1 up the first significant digit is the first shown, so the
        // five shown digits are the first five significant ones.
        std::string kept = RoundedDigits(x, 5);
        // kept is round(value * 10^places); a carry made it one digit longer.
        const int integerLength = static_cast<int>(kept.size()) - places;
        std::string text = integerLength > 0 ? kept.substr(0, integerLength) : "0";
        if (places > 0)
            text += TrimZerosKeepPoint("." + kept.substr(integerLength));
        return text;
    }
    std::string kept = RoundedDigits(x, 5);
    int exponent = x.point - 1;
    if (kept.size() > 5) {
        kept.pop_back();
        ++exponent;
    }
    std::string text = kept.substr(0, 1) + TrimZerosKeepPoint("." + kept.substr(1)) + 'e';
    text += exponent < 0 ? '-' : '+';
    const std::string magnitude = std::to_string(std::abs(exponent));
    return text + std::string(3 - magnitude.size(), '0') + magnitude;
}
