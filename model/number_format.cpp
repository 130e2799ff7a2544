#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "number_text.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr int kSignificantDigits = 5;

// True when value lies exactly halfway between two neighbouring multiples of
// 10^-places (places may be negative), that is when 2 * value * 10^places is
// an odd integer. to_chars breaks such ties to even; the display rounds them
// up, and a double's exact value is finite, so the tie is decidable exactly.
bool IsHalfway(double value, int places)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int field = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent = -1074;
    if (field != 0) {
        mantissa |= std::uint64_t{1} << 52;
        exponent = field - 1075;
    }
    if (mantissa == 0)
        return false;
    const int zeros = std::countr_zero(mantissa);
    mantissa >>= zeros;
    exponent += zeros;
    // Now value = mantissa * 2^exponent with an odd mantissa, so
    // 2 * value * 10^places = mantissa * 5^places * 2^(exponent + places + 1).
    if (exponent + places + 1 != 0)
        return false;
    if (places >= 0)
        return true;
    std::uint64_t power = 1;
    for (int i = 0; i < -places; ++i) {
        if (power > mantissa / 5)
            return false;
        power *= 5;
    }
    return mantissa % power == 0;
}

// Digits before the point, 0 below 1. Powers of ten up to 10^5 are exact.
int IntegerDigits(double value)
{
    int digits = 0;
    for (double power = 1.0; value >= power && digits < kSignificantDigits; power *= 10.0)
        ++digits;
    return digits;
}

// Drops trailing zeros after a point, keeping the point itself.
char* TrimFraction(char* begin, char* end)
{
    if (std::find(begin, end, '.') == end)
        return end;
    while (end[-1] == '0')
        --end;
    return end;
}

char* CopyText(char* out, const char* text)
{
    while (*text != '\0')
        *out++ = *text++;
    return out;
}

// The decimal exponent of to_chars' scientific form "d.dddde+xx", given
// the position of its 'e'.
int ScientificExponent(const char* mark, const char* end)
{
    int magnitude = 0;
    std::from_chars(mark + 2, end, magnitude);
    return mark[1] == '-' ? -magnitude : magnitude;
}

// "d.dddd" with its exponent as e, sign and three digits ("5.e-002").
char* WriteExponentForm(char* out, char* end, double value)
{
    // Six significant digits are exact for a tie (it has exactly six), so
    // they show the exponent the tie test needs; for any other value the test
    // fails whatever exponent it is given.
    char probe[32];
    char* const probeEnd =
        std::to_chars(probe, probe + sizeof probe, value, std::chars_format::scientific, kSignificantDigits).ptr;
    const int exponent = ScientificExponent(std::find(probe, probeEnd, 'e'), probeEnd);
    if (IsHalfway(value, kSignificantDigits - 1 - exponent))
        value = std::nextafter(value, kInfinity);

    char* const written = std::to_chars(out, end, value, std::chars_format::scientific, kSignificantDigits - 1).ptr;
    char* const mark = std::find(out, written, 'e');
    // The exponent after rounding: 9.99996e-3 is written 1.e-002.
    const int shown = ScientificExponent(mark, written);
    const int magnitude = shown < 0 ? -shown : shown;
    out = TrimFraction(out, mark);
    *out++ = 'e';
    *out++ = shown < 0 ? '-' : '+';
    *out++ = static_cast<char>('0' + magnitude / 100);
    *out++ = static_cast<char>('0' + magnitude / 10 % 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
    return out;
}

} // namespace

BitrateText FormatBitrate(double value)
{
    BitrateText text{};
    char* out = text.data();
    char* const end = text.data() + text.size() - 1; // keeps the terminator
    if (std::isnan(value)) {
        CopyText(out, "nan");
        return text;
    }
    if (std::signbit(value)) {
        *out++ = '-';
        value = -value;
    }
    if (std::isinf(value)) {
        CopyText(out, "inf");
        return text;
    }
    if (value == 0.0 || (value >= 0.1 && value < 100000.0)) {
        // The places follow from the value before rounding, so a carry keeps
        // them: 9999.97 is 10000.0 and then "10000.".
        const int places = kSignificantDigits - IntegerDigits(value);
        if (IsHalfway(value, places))
            value = std::nextafter(value, kInfinity);
        char* const number = out;
        out = std::to_chars(out, end, value, std::chars_format::fixed, places).ptr;
        out = TrimFraction(number, out);
    } else {
        out = WriteExponentForm(out, end, value);
    }
    *out = '\0';
    return text;
}
