#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Conversions between the form's texts and numbers. Decimal only and
// independent of any locale: the point is always '.'.

// The running time as the C runtime's atof reads it, restricted to decimal
// numbers: blanks, sign, digits, fraction, exponent; stops at the first
// character that cannot continue. No number (also "inf", "nan", "0x..") is 0.
double ParseLength(std::string_view text);

// The megabyte figure as atoi reads it, saturated at the int32 range so an
// absurd figure can never come back as a plausible one.
std::int32_t ParseMegabytes(std::string_view text);

// Megabytes to kilobytes (x1024), saturated at the int32 range.
std::int32_t MegabytesToKilobytes(std::int32_t megabytes);

// A zero-terminated result text; the longest is "-1.2345e+308".
using BitrateText = std::array<char, 24>;

// The bitrate with five significant digits as _gcvt(value, 5) writes it:
// fixed notation from 0.1 up to 100000 ("611.56", "640.", "88619"),
// exponent notation below and above ("5.e-002"); halves round up.
BitrateText FormatBitrate(double value);
