#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "number_text.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ParseLength, DecimalTextsOnly)
{
    const std::string zeros(400, '0');
    const struct {
        std::string text;
        double value; // compared with its sign, so -0 is not 0
    } cases[] = {
        {"120", 120.0}, {"", 0.0}, {"12abc", 12.0}, {"1.2.3", 1.2},
        {" \t\n\v\f\r42", 42.0}, {"\2405", 0.0}, // C blanks only, no no-break space
        {"+7", 7.0}, {"-7", -7.0}, {"-0", -0.0}, {"+-7", 0.0}, {"- 7", 0.0},
        {".5", 0.5}, {"5.", 5.0}, {"-.", 0.0}, {".e5", 0.0}, {"2.5E-1", 0.25}, {"6.66e2", 666.0},
        {"1e", 1.0}, {"1e+", 1.0}, {"1e-x", 1.0}, {"1e2e3", 100.0}, // an exponent needs a digit
        {"0x10", 0.0}, {"inf", 0.0}, {"-infinity", 0.0}, {"nan", 0.0}, // decimal only
        {"1e999", kInf}, {"-1e999", -kInf}, {"1e99999999999999999999", kInf}, {"0e999999", 0.0},
        {"1e-999", 0.0}, {"-1e-999", -0.0}, {"1e-99999999999999999999", 0.0}, {"1e-320", 1e-320},
        // Correctly rounded however long: 2^53 + 1 is a tie, a later digit tips it up.
        {"9007199254740993", 9007199254740992.0},
        {"9007199254740993.000000000000000000000000000001", 9007199254740994.0},
        // The leading significant digit, not the text's length, tells an
        // overflow from an underflow.
        {"1" + zeros, kInf}, {"0." + zeros + "1", 0.0}, {zeros + "1e-330", 0.0},
        {"1" + zeros + "e-800", 0.0}, {"-0." + zeros + "1e800", -kInf},
        {"1" + zeros + "e-390", 1e10}, {"-" + zeros + "120" + zeros + "e-400", -120.0},
    };
    for (const auto& c : cases) {
        const double value = ParseLength(c.text);
        EXPECT_TRUE(value == c.value && std::signbit(value) == std::signbit(c.value))
            << '"' << c.text.substr(0, 40) << "\" gave " << value;
    }
}

TEST(ParseMegabytes, IntegerTextsSaturate)
{
    const struct {
        std::string text;
        std::int32_t value;
    } cases[] = {
        {"650", 650}, {"", 0}, {" \t\n\v\f\r12", 12}, {"+12", 12}, {"-12", -12}, {"+-1", 0},
        {"12.9", 12}, {"1e3", 1}, {"0x10", 0},
        {"2147483647", INT32_MAX}, {"2147483648", INT32_MAX}, {"-2147483648", INT32_MIN}, {"-2147483649", INT32_MIN},
        {std::string(5000, '9'), INT32_MAX}, {"-" + std::string(5000, '9'), INT32_MIN},
        {std::string(5000, '0') + "7", 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseMegabytes(c.text), c.value) << '"' << c.text.substr(0, 40) << '"';
}

} // namespace
