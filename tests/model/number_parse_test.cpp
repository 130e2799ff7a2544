#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <limits>
#include <random>
#include <string>

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
    friend std::ostream& operator<<(std::ostream& out, const LengthCase& c)
    {
        // Test names must stay printable: blanks and high bytes as \xNN.
        out << '"';
        for (const char ch : c.text.substr(0, 20)) {
            if (ch > ' ' && ch < 0x7f)
                out << ch;
            else
                out << "\\x" << std::hex << int{static_cast<unsigned char>(ch)} << std::dec;
        }
        return out << (c.text.size() > 20 ? "..." : "") << "\" -> " << c.value;
    }
};

class ParseLengthTable : public testing::TestWithParam<LengthCase> {};

TEST_P(ParseLengthTable, ReadsExpectedValue)
{
    EXPECT_TRUE(SameDouble(ParseLength(GetParam().text), GetParam().value)) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Plain, ParseLengthTable,
                         testing::Values(LengthCase{"120", 120.0}, LengthCase{"", 0.0},
                                         LengthCase{"0.1", 0.1}, LengthCase{"666.0", 666.0},
                                         LengthCase{"007", 7.0}, LengthCase{"12abc", 12.0},
                                         LengthCase{"1.2.3", 1.2}, LengthCase{"1 5", 1.0},
                                         LengthCase{"1,5", 1.0}));

INSTANTIATE_TEST_SUITE_P(BlanksAndSigns, ParseLengthTable,
                         testing::Values(LengthCase{" \t\n\v\f\r42", 42.0}, LengthCase{"+7", 7.0},
                                         LengthCase{"-7", -7.0}, LengthCase{"-0", -0.0},
                                         LengthCase{"+-7", 0.0}, LengthCase{"--7", 0.0},
                                         LengthCase{"- 7", 0.0}, LengthCase{"\xA0" "5", 0.0},
                                         LengthCase{"x5", 0.0}, LengthCase{"5 ", 5.0}));

INSTANTIATE_TEST_SUITE_P(Points, ParseLengthTable,
                         testing::Values(LengthCase{".5", 0.5}, LengthCase{"5.", 5.0},
                                         LengthCase{"-.5", -0.5}, LengthCase{".", 0.0},
                                         LengthCase{"-.", 0.0}, LengthCase{"..5", 0.0},
                                         LengthCase{".e5", 0.0}));

INSTANTIATE_TEST_SUITE_P(Exponents, ParseLengthTable,
                         testing::Values(LengthCase{"1E2", 100.0}, LengthCase{"2.5e-1", 0.25},
                                         LengthCase{"5.e1", 50.0}, LengthCase{".5e+1", 5.0},
                                         LengthCase{"1e", 1.0}, LengthCase{"1e+", 1.0},
                                         LengthCase{"1e-", 1.0}, LengthCase{"1ex", 1.0},
                                         LengthCase{"1e+-2", 1.0}, LengthCase{"1e2e3", 100.0},
                                         LengthCase{"1e 2", 1.0}, LengthCase{"6.66e2", 666.0}));

INSTANTIATE_TEST_SUITE_P(NotDecimal, ParseLengthTable,
                         testing::Values(LengthCase{"0x10", 0.0}, LengthCase{"0X1p4", 0.0},
                                         LengthCase{"inf", 0.0}, LengthCase{"-inf", 0.0},
                                         LengthCase{"infinity", 0.0}, LengthCase{"nan", 0.0},
                                         LengthCase{"NAN(1)", 0.0}, LengthCase{"e5", 0.0}));

INSTANTIATE_TEST_SUITE_P(
    Range, ParseLengthTable,
    testing::Values(LengthCase{"1e308", 1e308}, LengthCase{"1.7976931348623157e308", 1.7976931348623157e308},
                    LengthCase{"2e308", kInf}, LengthCase{"1e999", kInf}, LengthCase{"-1e999", -kInf},
                    LengthCase{"1e99999999999999999999", kInf}, LengthCase{"1e-999", 0.0},
                    LengthCase{"-1e-999", -0.0}, LengthCase{"1e-99999999999999999999", 0.0},
                    LengthCase{"1e-320", 1e-320}, LengthCase{"4.9406564584124654e-324", 4.9406564584124654e-324},
                    LengthCase{"0e999999", 0.0}, LengthCase{"-0e-999999", -0.0}));

// Many digits: the value must be the correctly rounded one, and the decimal
// exponent of the leading digit decides between overflow and underflow.
INSTANTIATE_TEST_SUITE_P(
    LongTexts, ParseLengthTable,
    testing::Values(
        // 2^53 + 1 lies halfway: ties go to even; any further digit tips it up.
        LengthCase{"9007199254740993", 9007199254740992.0},
        LengthCase{"9007199254740993.000000000000000000000000000001", 9007199254740994.0},
        LengthCase{"0.1000000000000000055511151231257827021181583404541015625", 0.1},
        LengthCase{"1" + std::string(400, '0'), kInf}, LengthCase{"1" + std::string(400, '0') + "e-390", 1e10},
        LengthCase{"0." + std::string(400, '0') + "1", 0.0},
        LengthCase{"0." + std::string(400, '0') + "1e400", 0.1},
        LengthCase{"-" + std::string(5000, '0') + "120" + std::string(5000, '0') + "e-5000", -120.0},
        LengthCase{std::string(3000, '9') + "e-3000", 1.0}));

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
        errno = 0;
        const double expected = std::strtod(text.c_str(), nullptr);
        ASSERT_TRUE(SameDouble(ParseLength(text), expected)) << '"' << text << '"';
    }
}

// --- Megabytes ----------------------------------------------------------------

struct MegabyteCase {
    const char* text;
    std::int32_t value;
    friend std::ostream& operator<<(std::ostream& out, const MegabyteCase& c)
    {
        return out << '"' << c.text << "\" -> " << c.value;
    }
};

class ParseMegabytesTable : public testing::TestWithParam<MegabyteCase> {};

TEST_P(ParseMegabytesTable, ReadsExpectedValue)
{
    EXPECT_EQ(ParseMegabytes(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Figures, ParseMegabytesTable,
    testing::Values(MegabyteCase{"650", 650}, MegabyteCase{"", 0}, MegabyteCase{"0", 0},
                    MegabyteCase{"9000", 9000}, MegabyteCase{" \t\n\v\f\r12", 12}, MegabyteCase{"+12", 12},
                    MegabyteCase{"-12", -12}, MegabyteCase{"12.9", 12}, MegabyteCase{"1e3", 1},
                    MegabyteCase{"0x10", 0}, MegabyteCase{"1,000", 1}, MegabyteCase{"+-1", 0},
                    MegabyteCase{"- 1", 0}, MegabyteCase{"abc", 0}, MegabyteCase{"00000000000000000042", 42}));

INSTANTIATE_TEST_SUITE_P(
    Saturation, ParseMegabytesTable,
    testing::Values(MegabyteCase{"2147483647", INT32_MAX}, MegabyteCase{"2147483648", INT32_MAX},
                    MegabyteCase{"99999999999", INT32_MAX}, MegabyteCase{"4294967296", INT32_MAX},
                    MegabyteCase{"-2147483648", INT32_MIN}, MegabyteCase{"-2147483649", INT32_MIN},
                    MegabyteCase{"-99999999999999999999999999", INT32_MIN}));

TEST(ParseMegabytes, ThousandsOfDigitsSaturate)
{
    EXPECT_EQ(ParseMegabytes(std::string(5000, '9')), INT32_MAX);
    EXPECT_EQ(ParseMegabytes("-" + std::string(5000, '9')), INT32_MIN);
    EXPECT_EQ(ParseMegabytes(std::string(5000, '0') + "7"), 7);
}

struct KilobyteCase {
    std::int32_t megabytes;
    std::int32_t kilobytes;
    friend std::ostream& operator<<(std::ostream& out, const KilobyteCase& c)
    {
        return out << c.megabytes << " MB -> " << c.kilobytes << " KB";
    }
};

class KilobytesTable : public testing::TestWithParam<KilobyteCase> {};

TEST_P(KilobytesTable, MultipliesBy1024WithinInt32)
{
    EXPECT_EQ(MegabytesToKilobytes(GetParam().megabytes), GetParam().kilobytes) << GetParam().megabytes;
}

INSTANTIATE_TEST_SUITE_P(Values, KilobytesTable,
                         testing::Values(KilobyteCase{650, 665600}, KilobyteCase{0, 0}, KilobyteCase{-1, -1024},
                                         KilobyteCase{9000, 9216000}, KilobyteCase{2097151, 2147482624},
                                         KilobyteCase{2097152, INT32_MAX}, KilobyteCase{4194954, INT32_MAX},
                                         KilobyteCase{INT32_MAX, INT32_MAX}, KilobyteCase{-2097152, INT32_MIN},
                                         KilobyteCase{-2097153, INT32_MIN}, KilobyteCase{INT32_MIN, INT32_MIN}));

} // namespace
