#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "number_text.h"

// The conversions held to the build machine's glibc. The length is strtod's
// on the text up to the first character no decimal number holds, so that
// hexadecimal, inf and nan are no number.
inline double ReferenceLength(const std::string& text)
{
    return std::strtod(text.substr(0, text.find_first_not_of("0123456789.eE+- \t\n\v\f\r")).c_str(), nullptr);
}

// _gcvt(value, 5) from printf's exact digits, halves rounded up here (printf
// rounds them to even). If every digit after the sixth is 0, printf's own
// rounding may have carried into the sixth: then it prints them all.
inline std::string ReferenceBitrate(double value)
{
    const std::string sign = std::signbit(value) && !std::isnan(value) ? "-" : "";
    if (!std::isfinite(value) || value == 0.0)
        return sign + (value == 0.0 ? "0." : std::isnan(value) ? "nan" : "inf");
    char exact[900], power[16];
    std::snprintf(exact, sizeof exact, "%.30e", std::fabs(value));
    if (std::strspn(exact + 7, "0") == std::strcspn(exact + 7, "e"))
        std::snprintf(exact, sizeof exact, "%.800e", std::fabs(value));
    const int exponent = std::atoi(std::strchr(exact, 'e') + 1);
    const long digits = std::atol((exact[0] + std::string(exact + 2, 4)).c_str()) + (exact[6] >= '5');
    const bool fixed = exponent >= -1 && exponent <= 4; // from 0.1 to below 100000
    const int places = fixed ? 4 - exponent : 4, carry = !fixed && digits == 100000;
    std::string text = std::to_string(carry ? 10000 : digits);
    text.insert(0, std::max<int>(0, places + 1 - static_cast<int>(text.size())), '0');
    if (places > 0) {
        text.insert(text.size() - places, ".");
        text.erase(text.find_last_not_of('0') + 1);
    }
    std::snprintf(power, sizeof power, "e%c%03d", exponent + carry < 0 ? '-' : '+', std::abs(exponent + carry));
    return sign + text + (fixed ? "" : power);
}

// Counts the conversions held to the references; prints the first failures.
inline long g_checked = 0, g_failed = 0;

inline void CheckLength(const std::string& text)
{
    const double value = ParseLength(text), expected = ReferenceLength(text);
    if (++g_checked && std::bit_cast<std::uint64_t>(value) != std::bit_cast<std::uint64_t>(expected) && g_failed++ < 9)
        std::printf("ParseLength(\"%.50s\"), %zu chars: %a, strtod %a\n", text.c_str(), text.size(), value, expected);
}

inline void CheckBitrate(double value)
{
    const std::string text = FormatBitrate(value).data(), expected = ReferenceBitrate(value);
    if (++g_checked && text != expected && g_failed++ < 9)
        std::printf("FormatBitrate(%a): %s, expected %s\n", value, text.c_str(), expected.c_str());
}
