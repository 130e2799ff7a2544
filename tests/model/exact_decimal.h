#pragma once

#include <string>

// An independent reference for the result format: the exact decimal value of
// a double, worked out with big-integer arithmetic, rounded by string rules.

struct ExactDecimal {
    std::string digits; // no leading or trailing zeros; empty for 0
    int point;          // digits before the decimal point (may be <= 0)
};

// The exact decimal expansion of a finite, non-negative double.
ExactDecimal ExpandExactly(double value);

// What _gcvt(value, 5) writes for a positive finite value, halves rounded up.
std::string ReferenceBitrateText(double value);
