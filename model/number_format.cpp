#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "model/exact_arithmetic.h"
#include "model/number_text.h"

namespace {

constexpr int kSignificantDigits = 5;

// value * 10^places rounded to an integer, exact halves up, worked out on the
// double's exact value; results from 2^25 up come back as 2^25 - 1.
std::uint32_t RoundScaled(double value, int places)
{
    const BinaryNumber binary = FromBits(std::bit_cast<std::uint64_t>(value));
    // value * 10^places = scaled * 2^(exponent + places) / unit, with the
    // power of 5 on whichever side keeps both whole. 820 bits at most.
    BigUnsigned<28> scaled(binary.mantissa), unit(1), bound;
    if (places >= 0)
        scaled.MulPow5(places);
    else
        unit.MulPow5(-places);
    // The largest r with r - 1/2 <= value * 10^places, bit by bit from the
    // highest it can have: value * 10^places < 2^top.
    const long top = scaled.BitLength() + binary.exponent + places + 1 - unit.BitLength();
    std::uint32_t result = 0;
    for (std::uint32_t bit = 1u << std::clamp<long>(top, 0, 24); bit != 0; bit >>= 1) {
        bound.SetProduct(unit, 2 * (result | bit) - 1);
        if (Compare(bound, scaled, binary.exponent + places + 1) <= 0)
            result |= bit;
    }
    return result;
}

// Digits before the point, 0 below 1. Powers of ten up to 10^5 are exact.
int IntegerDigits(double value)
{
    int digits = 0;
    for (double power = 1.0; value >= power && digits < kSignificantDigits; power *= 10.0)
        ++digits;
    return digits;
}

// The integer digits / 10^places in fixed notation, without trailing zeros
// after a point but with the point itself: 61156, 2 is "611.56", 100000, 1
// is "10000.", 88619, 0 is "88619".
char* WriteFixed(char* out, std::uint32_t digits, int places)
{
    char reversed[16];
    int count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    } while (digits != 0 || count <= places);
    for (; count > 0; --count) {
        if (count == places)
            *out++ = '.';
        *out++ = reversed[count - 1];
    }
    if (places > 0) {
        while (out[-1] == '0')
            --out;
    }
    return out;
}

char* CopyText(char* out, const char* text)
{
    while (*text != '\0')
        *out++ = *text++;
    return out;
}

// "d.dddd" with its exponent as e, sign and three digits ("5.e-002").
char* WriteExponentForm(char* out, double value)
{
    // From the binary exponent, 78913 / 2^18 being just under log10(2): never
    // above the decimal exponent, and at most two below it.
    const BinaryNumber binary = FromBits(std::bit_cast<std::uint64_t>(value));
    int exponent =
        ((static_cast<int>(std::bit_width(binary.mantissa)) - 1 + binary.exponent) * 78913 >> 18) - 1;
    std::uint32_t digits = 0;
    while ((digits = RoundScaled(value, kSignificantDigits - 1 - exponent)) > 100000)
        ++exponent;
    // A carry into a sixth digit (9.99996e-3 is 1.e-002), or an estimate one
    // low with a value just over a power of ten: the same text either way.
    if (digits == 100000) {
        digits = 10000;
        ++exponent;
    }
    out = WriteFixed(out, digits, kSignificantDigits - 1);
    const int magnitude = exponent < 0 ? -exponent : exponent;
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    *out++ = static_cast<char>('0' + magnitude / 100);
    *out++ = static_cast<char>('0' + magnitude / 10 % 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
    return out;
}

}  // namespace

BitrateText FormatBitrate(double value)
{
    BitrateText text{};
    char* out = text.data();
    if (std::isnan(value)) {
        CopyText(out, "nan");
        return text;
    }
    if (std::signbit(value)) {
        *out++ = '-';
        value = -value;
    }
    if (std::isinf(value)) {
        out = CopyText(out, "inf");
    } else if (value == 0.0 || (value >= 0.1 && value < 100000.0)) {
        // The places follow from the value before rounding, so a carry keeps
        // them: 9999.97 is 10000.0 and then "10000.".
        const int places = kSignificantDigits - IntegerDigits(value);
        out = WriteFixed(out, RoundScaled(value, places), places);
    } else {
        out = WriteExponentForm(out, value);
    }
    *out = '\0';  // after trimmed zeros
    return text;
}
