#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "number_text.h"

namespace {

// The C locale's blanks, the only ones atof and atoi skip.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsSign(char c)
{
    return c == '+' || c == '-';
}

std::size_t SkipBlanks(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    return pos;
}

std::int32_t SaturateToInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

double ParseLength(std::string_view text)
{
    const std::size_t size = text.size();
    std::size_t pos = SkipBlanks(text);
    const std::size_t numberStart = pos;
    const bool negative = pos < size && text[pos] == '-';
    if (pos < size && IsSign(text[pos]))
        ++pos;

    // Decimal exponent of the leading significant digit, kept only to tell an
    // overflow from an underflow: from_chars reports both the same way.
    std::int64_t magnitude = 0;
    bool significant = false;
    std::size_t digits = 0;
    for (; pos < size && IsDigit(text[pos]); ++pos, ++digits) {
        if (significant)
            ++magnitude;
        else
            significant = text[pos] != '0';
    }
    if (pos < size && text[pos] == '.') {
        for (++pos; pos < size && IsDigit(text[pos]); ++pos, ++digits) {
            if (!significant) {
                --magnitude;
                significant = text[pos] != '0';
            }
        }
    }
    if (digits == 0)
        return 0.0;

    // An exponent counts only with at least one digit: "1e" and "1e+" are 1.
    std::size_t end = pos;
    if (pos < size && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t expPos = pos + 1;
        const bool negativeExp = expPos < size && text[expPos] == '-';
        if (expPos < size && IsSign(text[expPos]))
            ++expPos;
        if (expPos < size && IsDigit(text[expPos])) {
            // Far beyond any double's range already; stops the sum overflowing.
            constexpr std::int64_t kExponentCap = 1'000'000'000;
            std::int64_t exponent = 0;
            for (; expPos < size && IsDigit(text[expPos]); ++expPos)
                exponent = std::min(exponent * 10 + (text[expPos] - '0'), kExponentCap);
            magnitude += negativeExp ? -exponent : exponent;
            end = expPos;
        }
    }

    // from_chars takes a '-' but no '+'.
    const std::size_t first = text[numberStart] == '+' ? numberStart + 1 : numberStart;
    double value = 0.0;
    const auto result = std::from_chars(text.data() + first, text.data() + end, value);
    if (result.ec == std::errc::result_out_of_range) {
        const double limit = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        value = negative ? -limit : limit;
    }
    return value;
}

std::int32_t ParseMegabytes(std::string_view text)
{
    const std::size_t size = text.size();
    std::size_t pos = SkipBlanks(text);
    const bool negative = pos < size && text[pos] == '-';
    if (pos < size && IsSign(text[pos]))
        ++pos;

    // Stops growing once past the int32 range, however many digits follow.
    constexpr std::int64_t kBeyondInt32 = std::int64_t{1} << 31;
    std::int64_t magnitude = 0;
    for (; pos < size && IsDigit(text[pos]); ++pos)
        magnitude = std::min(magnitude * 10 + (text[pos] - '0'), kBeyondInt32);
    return SaturateToInt32(negative ? -magnitude : magnitude);
}

std::int32_t MegabytesToKilobytes(std::int32_t megabytes)
{
    return SaturateToInt32(std::int64_t{megabytes} * 1024);
}
