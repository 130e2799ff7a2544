#pragma once

#include <string>

// An independent reference for the result format: the exact decimal value of
// a double, worked out with big-integer arithmetic, rounded by string rules.
// What _gcvt(value, 5) writes for a positive finite value, halves rounded up.
std::string ReferenceBitrateText(double value);
