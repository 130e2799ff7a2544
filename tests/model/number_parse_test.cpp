#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "number_text.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Same value and same sign of zero.
testing::AssertionResult SameDouble(double actual, double expected)
{
    if (actual == expected && std::signbit(actual) == std::signbit(expected))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "got " << actual << (std::signbit(actual) ? " (negative)" : "")
                                       << ", expected " << expected;
}

struct LengthCase {
    std::string text;
    double value;
};

void ExpectLengths(const std::vector<LengthCase>& cases)
{
    for (const auto& c : cases)
        EXPECT_TRUE(SameDouble(ParseLength(c.text), c.value)) << '"' << c.text.substr(0, 40) << '"';
}

TEST(ParseLength, Plain)
{
    ExpectLengths({{"120", 120.0},
                   {"", 0.0},
                   {"0.1", 0.1},
                   {"666.0", 666.0},
                   {"007", 7.0},
                   {"12abc", 12.0},
                   {"1.2.3", 1.2},
                   {"1 5", 1.0},
                   {"1,5", 1.0}});
}

TEST(ParseLength, BlanksAndSigns)
{
    ExpectLengths({{" \t\n\v\f\r42", 42.0},
                   {"+7", 7.0},
                   {"-7", -7.0},
                   {"-0", -0.0},
                   {"+-7", 0.0},
                   {"--7", 0.0},
                   {"- 7", 0.0},
                   {"\2405", 0.0}, // a no-break space is no C blank
                   {"x5", 0.0},
                   {"5 ", 5.0}});
}

TEST(ParseLength, Points)
{
    ExpectLengths({{".5", 0.5}, {"5.", 5.0}, {"-.5", -0.5}, {".", 0.0}, {"-.", 0.0}, {"..5", 0.0}, {".e5", 0.0}});
}

TEST(ParseLength, Exponents)
{
    ExpectLengths({{"1E2", 100.0},
                   {"2.5e-1", 0.25},
                   {"5.e1", 50.0},
                   {".5e+1", 5.0},
                   {"1e", 1.0},
                   {"1e+", 1.0},
                   {"1e-", 1.0},
                   {"1ex", 1.0},
                   {"1e+-2", 1.0},
                   {"1e2e3", 100.0},
                   {"1e 2", 1.0},
                   {"6.66e2", 666.0}});
}

TEST(ParseLength, NotDecimal)
{
    ExpectLengths({{"0x10", 0.0},
                   {"0X1p4", 0.0},
                   {"inf", 0.0},
                   {"-inf", 0.0},
                   {"infinity", 0.0},
                   {"nan", 0.0},
                   {"NAN(1)", 0.0},
                   {"e5", 0.0}});
}

TEST(ParseLength, Range)
{
    ExpectLengths({{"1e308", 1e308},
                   {"1.7976931348623157e308", 1.7976931348623157e308},
                   {"2e308", kInf},
                   {"1e999", kInf},
                   {"-1e999", -kInf},
                   {"1e99999999999999999999", kInf},
                   {"1e-999", 0.0},
                   {"-1e-999", -0.0},
                   {"1e-99999999999999999999", 0.0},
                   {"1e-320", 1e-320},
                   {"4.9406564584124654e-324", 4.9406564584124654e-324},
                   {"0e999999", 0.0},
                   {"-0e-999999", -0.0}});
}

// Many digits: the value must be the correctly rounded one, and the decimal
// exponent of the leading digit decides between overflow and underflow.
TEST(ParseLength, LongTexts)
{
    ExpectLengths({// 2^53 + 1 lies halfway: ties go to even; any further digit tips it up.
                   {"9007199254740993", 9007199254740992.0},
                   {"9007199254740993.000000000000000000000000000001", 9007199254740994.0},
                   {"0.1000000000000000055511151231257827021181583404541015625", 0.1},
                   {"1" + std::string(400, '0'), kInf},
                   {"1" + std::string(400, '0') + "e-390", 1e10},
                   {"0." + std::string(400, '0') + "1", 0.0},
                   {"0." + std::string(400, '0') + "1e400", 0.1},
                   {"-" + std::string(5000, '0') + "120" + std::string(5000, '0') + "e-5000", -120.0},
                   {std::string(3000, '9') + "e-3000", 1.0}});
}

TEST(ParseLength, ThousandsOfSignificantDigits)
{
    std::string text;
    for (int i = 0; i < 500; ++i)
        text += "1234567890";
    EXPECT_TRUE(SameDouble(ParseLength(text + "e-4990"), 1234567890.1234567890));
    EXPECT_TRUE(SameDouble(ParseLength(text), kInf));
    EXPECT_TRUE(SameDouble(ParseLength("0." + text + "e-320"), 1.2345678901234567e-321));
}

// Over texts made only of the characters a decimal number uses (and junk
// that starts nothing), the C library's strtod follows the same rules.
TEST(ParseLength, AgreesWithStrtodOnDecimalTexts)
{
    const std::string alphabet = "0123456789.eE+- \t#";
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 200000; ++i) {
        std::string text;
        const auto length = random() % 24;
        for (std::uint64_t j = 0; j < length; ++j)
            text += alphabet[random() % alphabet.size()];
        if (random() % 16 == 0)
            text.insert(random() % (text.size() + 1), std::string(random() % 400, '0' + random() % 10));
        const double expected = std::strtod(text.c_str(), nullptr);
        ASSERT_TRUE(SameDouble(ParseLength(text), expected)) << '"' << text << '"';
    }
}

// --- Megabytes ----------------------------------------------------------------

struct MegabyteCase {
    const char* text;
    std::int32_t value;
};

void ExpectMegabytes(std::initializer_list<MegabyteCase> cases)
{
    for (const auto& c : cases)
        EXPECT_EQ(ParseMegabytes(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseMegabytes, Figures)
{
    ExpectMegabytes({{"650", 650},
                     {"", 0},
                     {"0", 0},
                     {"9000", 9000},
                     {" \t\n\v\f\r12", 12},
                     {"+12", 12},
                     {"-12", -12},
                     {"12.9", 12},
                     {"1e3", 1},
                     {"0x10", 0},
                     {"1,000", 1},
                     {"+-1", 0},
                     {"- 1", 0},
                     {"abc", 0},
                     {"00000000000000000042", 42}});
}

TEST(ParseMegabytes, Saturation)
{
    ExpectMegabytes({{"2147483647", INT32_MAX},
                     {"2147483648", INT32_MAX},
                     {"99999999999", INT32_MAX},
                     {"4294967296", INT32_MAX},
                     {"-2147483648", INT32_MIN},
                     {"-2147483649", INT32_MIN},
                     {"-99999999999999999999999999", INT32_MIN}});
}

TEST(ParseMegabytes, ThousandsOfDigitsSaturate)
{
    EXPECT_EQ(ParseMegabytes(std::string(5000, '9')), INT32_MAX);
    EXPECT_EQ(ParseMegabytes("-" + std::string(5000, '9')), INT32_MIN);
    EXPECT_EQ(ParseMegabytes(std::string(5000, '0') + "7"), 7);
}

TEST(MegabytesToKilobytes, MultipliesBy1024WithinInt32)
{
    const struct {
        std::int32_t megabytes;
        std::int32_t kilobytes;
    } cases[] = {{650, 665600},         {0, 0},
                 {-1, -1024},           {9000, 9216000},
                 {2097151, 2147482624}, {2097152, INT32_MAX},
                 {4194954, INT32_MAX},  {INT32_MAX, INT32_MAX},
                 {-2097152, INT32_MIN}, {-2097153, INT32_MIN},
                 {INT32_MIN, INT32_MIN}};
    for (const auto& c : cases)
        EXPECT_EQ(MegabytesToKilobytes(c.megabytes), c.kilobytes) << c.megabytes;
}

} // namespace
