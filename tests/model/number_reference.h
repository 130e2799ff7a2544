#pragma once

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "model/calculator_model.h"
#include "model/number_text.h"
#include "model/presets.h"

// FNV-1a, 32 or 64 bits as Hash, of a text's exact bytes: fixed texts are checked by it. A result handed back
// as hash goes on with more text.
template <class Hash>
Hash Fnv1a(const auto& bytes, Hash hash = sizeof(Hash) == 4 ? 0x811c9dc5 : 0xcbf29ce484222325)
{
    for (const unsigned char c : bytes)
        hash = (hash ^ c) * Hash(sizeof(Hash) == 4 ? 0x01000193 : 0x100000001b3);
    return hash;
}

// The conversions held to the build machine's glibc. The length is strtod's on the text up to the first
// character no decimal number holds, so that hexadecimal, inf and nan are no number.
inline double ReferenceLength(const std::string& text)
{
    return std::strtod(text.substr(0, text.find_first_not_of("0123456789.eE+- \t\n\v\f\r")).c_str(), nullptr);
}

// _gcvt(value, 5) by printf, with trailing zeros after the point dropped and three exponent digits.
// printf rounds exactly, but an exact half to even: a tie (after the fifth digit 5, then only zeros)
// moves to the next double up first. Its digits are exact unless all after the sixth show 0, where its
// own rounding may have carried into the sixth: then it prints them all.
inline std::string ReferenceBitrate(double value)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
    char text[900];
    std::snprintf(text, sizeof text, "%.30e", std::fabs(value));
    if (std::strspn(text + 7, "0") == std::strcspn(text + 7, "e"))
        std::snprintf(text, sizeof text, "%.800e", std::fabs(value));
    if (text[6] == '5' && std::strspn(text + 7, "0") == std::strcspn(text + 7, "e"))
        value = std::nextafter(value, 2 * value);
    const int exponent = std::atoi(std::strchr(text, 'e') + 1);
    const bool fixed = value == 0.0 || (exponent >= -1 && exponent <= 4);  // from 0.1 to below 100000
    std::snprintf(text, sizeof text, fixed ? "%.*f" : "%.*e", fixed ? 4 - exponent : 4, value);
    std::string number(text, std::strcspn(text, "e")), power = text + number.size();
    if (number.find('.') != std::string::npos)
        number.erase(number.find_last_not_of('0') + 1);
    return number + (power.size() == 4 ? power.insert(2, "0") : power);  // e-02 is e-002
}

// Counts the conversions held to the references; prints the first failures.
inline long g_checked = 0, g_failed = 0;

inline void CheckLength(const std::string& text)
{
    const double value = ParseLength(text), expected = ReferenceLength(text);
    if (++g_checked && std::bit_cast<std::uint64_t>(value) != std::bit_cast<std::uint64_t>(expected) &&
        g_failed++ < 9)
        std::printf("ParseLength(\"%.50s\"), %zu chars: %a, strtod %a\n", text.c_str(), text.size(), value,
                    expected);
}

inline void CheckBitrate(double value)
{
    const std::string text = FormatBitrate(value).data(), expected = ReferenceBitrate(value);
    if (++g_checked && text != expected && g_failed++ < 9)
        std::printf("FormatBitrate(%a): %s, expected %s\n", value, text.c_str(), expected.c_str());
}

// The sweep's cases. (digits + 1/2) * 10^-places, if a double is exactly that, and its neighbours.
void CheckTie(long long digits, int places, auto check)
{
    long long odd = 2 * digits + 1, power = 1;
    for (int i = 0; i < std::abs(places); ++i)
        power *= 5;
    if (places < 0 ? (odd *= power) >= 1LL << 53 : odd % power != 0)
        return;
    const double tie = std::ldexp(static_cast<double>(places < 0 ? odd : odd / power), -places - 1);
    for (const double value : {tie, std::nextafter(tie, 0.0), std::nextafter(tie, HUGE_VAL)})
        check(value);
}

void CheckTyped(int megabytes, int minutes, int rate, auto check)
{
    const double bitrate =
        CalculatorModel::ComputeVideoBitrate(minutes * 60.0, rate, MegabytesToKilobytes(megabytes));
    if (bitrate > 0.0 && bitrate <= 97386.0)
        check(bitrate);
}

// FNV-1a 64 of FormatBitrate's texts (zero-padded) of every stride-th case from first, each also handed to
// check, if any: every tie (none lies beyond these places), then every result a typed input can give.
inline unsigned long long HashTiesAndTyped(long first, long stride, void (*check)(double) = nullptr)
{
    auto hash = Fnv1a<unsigned long long>(std::string_view());
    const auto add = [&hash, check](double value) {
        if (check)
            check(value);
        hash = Fnv1a(FormatBitrate(value), hash);
    };
    for (long i = first; i < 26 * 90000L; i += stride)
        CheckTie(10000 + i % 90000, i / 90000 - 17, add);
    for (long i = first; i < 9999 * 500 * 10L; i += stride)
        CheckTyped(1 + i / 5000, 1 + i / 10 % 500, kAudioRates[i % 10], add);
    return hash;
}
