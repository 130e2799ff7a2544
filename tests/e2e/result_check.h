#pragma once

// What the result box may show, worked out independently of the program:
// the four messages, or the bitrate in five significant digits.

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

namespace probe {

inline bool IsMessage(const std::string& t)
{
    return t == "Can't!" || t == "Whoa!" || t == "Can't" || t == "Try Again!";
}

inline bool AllDigits(const std::string& s)
{
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// Fixed notation with at most five significant digits and no trailing zero
// after the point ("611.56", "640.", "0.1234", "88619", "10000."), or, under
// 0.1, one digit, the point, up to four digits and a three-digit exponent
// ("5.e-002", "1.25e-003").
inline bool IsNumberText(const std::string& t)
{
    const size_t e = t.find('e');
    if (e != std::string::npos) {
        const std::string mantissa = t.substr(0, e), exponent = t.substr(e + 1);
        if (mantissa.size() < 2 || mantissa.size() > 6 || mantissa[0] < '1' || mantissa[0] > '9' || mantissa[1] != '.')
            return false;
        const std::string fraction = mantissa.substr(2);
        if (!AllDigits(fraction) || (!fraction.empty() && fraction.back() == '0'))
            return false;
        return exponent.size() == 4 && exponent[0] == '-' && AllDigits(exponent.substr(1));
    }
    const size_t point = t.find('.');
    const std::string whole = t.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : t.substr(point + 1);
    if (whole.empty() || whole.size() > 5 || !AllDigits(whole) || !AllDigits(fraction))
        return false;
    if (!fraction.empty() && fraction.back() == '0')
        return false;
    if (whole == "0")  // from 0.1 up to 1: five digits after the point
        return point != std::string::npos && !fraction.empty() && fraction[0] != '0' && fraction.size() <= 5;
    if (whole[0] == '0')
        return false;
    if (whole.size() == 5)  // no room for a fraction; "10000." is a carry from 9999.99...
        return point == std::string::npos || t == "10000.";
    return point != std::string::npos && fraction.size() <= 5 - whole.size();
}

// A length text whose value needs no parsing rules beyond the plain ones.
inline bool PlainLength(const std::string& t, double& minutes)
{
    const size_t point = t.find('.');
    const std::string whole = t.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : t.substr(point + 1);
    if (whole.empty() || whole.size() > 6 || !AllDigits(whole) || !AllDigits(fraction) ||
        (point != std::string::npos && (fraction.empty() || fraction.size() > 3)))
        return false;
    minutes = std::strtod(t.c_str(), nullptr);
    return true;
}

// A megabyte text that cannot overflow the kilobyte count.
inline bool PlainSize(const std::string& t, int& kilobytes)
{
    if (t.size() > 6 || !AllDigits(t))
        return false;
    kilobytes = std::atoi(t.c_str()) * 1024;
    return true;
}

// The result box's text for these inputs, or "" for a number, whose value is
// then in bitrate.
inline std::string ExpectedResult(double minutes, int audioRate, int targetKB, double& bitrate)
{
    if (minutes == 666.0)
        return "Try Again!";
    if (minutes <= 0.0)
        return "Can't!";  // plain texts are never negative
    if (minutes > 500.0)
        return "Whoa!";
    const double seconds = minutes * 60.0;
    bitrate = (static_cast<double>(targetKB) - static_cast<double>(audioRate) * seconds) / seconds * 8.0;
    if (bitrate <= 0.0 || bitrate > 97386.0)
        return "Can't";
    return "";
}

// The shown number is the bitrate rounded to five significant digits.
inline bool ShowsBitrate(const std::string& shown, double bitrate)
{
    if (!IsNumberText(shown))
        return false;
    const double value = std::strtod(shown.c_str(), nullptr);
    return std::fabs(value - bitrate) <= 5.0001e-5 * bitrate;
}

}  // namespace probe
