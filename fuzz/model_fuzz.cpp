// Drives the model with arbitrary length and megabyte texts and list rows
// decoded from the input, and checks every state and result against rules
// worked out here independently of the model's own code.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "exact_decimal.h"
#include "fake_form.h"
#include "number_text.h"

namespace {

const std::int32_t kRates[] = {40, 32, 28, 24, 20, 16, 14, 12, 8, 7};
const char* const kDiscTexts[] = {"650", "1300", "1950", "2600"};

[[noreturn]] void Fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "model fuzz: %s: %s\n", what, detail.c_str());
    std::abort();
}

void Check(bool ok, const char* what, const std::string& detail = {})
{
    if (!ok)
        Fail(what, detail);
}

// Consumes the fuzzer's bytes as operations and their arguments.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_size == 0; }
    std::uint8_t Byte()
    {
        if (m_size == 0)
            return 0;
        --m_size;
        return *m_data++;
    }
    // Mostly short texts; a length byte from 0xF0 takes everything left.
    std::string Text()
    {
        const std::uint8_t code = Byte();
        std::size_t length = code < 0xF0 ? code % 40 : m_size;
        length = length < m_size ? length : m_size;
        std::string text(reinterpret_cast<const char*>(m_data), length);
        m_data += length;
        m_size -= length;
        return text;
    }
    // Rows inside and just outside the tables, and the extremes.
    int Row(int tableSize)
    {
        const std::uint8_t code = Byte();
        if (code == 0xFF)
            return INT_MAX;
        if (code == 0xFE)
            return INT_MIN;
        return code % (tableSize + 4) - 2;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

// atoi saturated to int32, then x1024 saturated: strtoll already saturates
// at the long long range and takes the same blanks and sign.
std::int32_t ExpectedKilobytes(const std::string& text)
{
    errno = 0;
    long long megabytes = std::strtoll(text.c_str(), nullptr, 10);
    megabytes = megabytes < INT32_MIN ? INT32_MIN : megabytes > INT32_MAX ? INT32_MAX : megabytes;
    const long long kilobytes = megabytes * 1024;
    return static_cast<std::int32_t>(kilobytes < INT32_MIN ? INT32_MIN
                                     : kilobytes > INT32_MAX ? INT32_MAX
                                                             : kilobytes);
}

// The running time; strtod agrees with the decimal rules whenever the text
// holds none of the letters that start hexadecimal, inf or nan.
double Minutes(const std::string& text)
{
    const double parsed = ParseLength(text);
    if (text.find_first_of("xXiInN") == std::string::npos) {
        const double expected = std::strtod(text.c_str(), nullptr);
        Check(parsed == expected && std::signbit(parsed) == std::signbit(expected), "length value", text);
    }
    return parsed;
}

// A shown bitrate: five significant digits at most, and within half a unit
// of its last digit of the computed value.
void CheckNumberText(const std::string& text, double bitrate)
{
    Check(text == ReferenceBitrateText(bitrate), "bitrate text", text);
    const std::size_t e = text.find('e');
    const std::string mantissa = text.substr(0, e);
    const std::size_t point = mantissa.find('.');
    int fractionDigits = point == std::string::npos ? 0 : static_cast<int>(mantissa.size() - point - 1);
    int exponent = 0;
    if (e != std::string::npos) {
        Check(bitrate < 0.1 && text.size() == e + 5 && (text[e + 1] == '-'), "exponent form", text);
        exponent = std::atoi(text.c_str() + e + 1);
    } else {
        Check(bitrate >= 0.1, "fixed form", text);
    }
    int digits = 0;
    for (const char c : mantissa)
        digits += c >= '0' && c <= '9' && !(digits == 0 && c == '0');
    Check(digits <= 5, "significant digits", text);
    Check(fractionDigits == 0 || mantissa.back() != '0', "trailing zero", text);
    const double unit = std::pow(10.0, exponent - fractionDigits);
    const double shown = std::strtod(text.c_str(), nullptr);
    Check(std::fabs(shown - bitrate) <= unit / 2 * (1 + 1e-9), "rounding", text);
}

// The result text for the length box's text with the model's sound rate and
// target size, as the rules give it.
std::string ExpectedResult(const std::string& lengthText, const CalculatorModel& model, double& bitrate)
{
    const double minutes = Minutes(lengthText);
    if (minutes == 0.0 || minutes <= -1.0)
        return "Can't!";
    if (minutes > 500.0)
        return "Whoa!";
    const double seconds = minutes * 60.0;
    bitrate = (static_cast<double>(model.m_nTargetSize) - static_cast<double>(model.m_nAudioRate) * seconds) /
              seconds * 8.0;
    if (bitrate <= 0.0 || bitrate > 97386.0)
        return "Can't";
    return {};
}

void CheckResult(const std::string& result, const std::string& lengthText, const CalculatorModel& model)
{
    double bitrate = 0.0;
    const std::string expected = ExpectedResult(lengthText, model, bitrate);
    if (!expected.empty())
        Check(result == expected, "message", lengthText + " -> " + result);
    else
        CheckNumberText(result, bitrate);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Calculator calc;
    calc.model.Initialise();
    Check(calc.form.resultText == "611.56", "start-up result", calc.form.resultText);
    std::int32_t rate = 16;

    Reader input(data, size);
    while (!input.Empty()) {
        calc.form.log.clear();
        const std::string before = calc.form.resultText;
        switch (input.Byte() % 4) {
        case 0: {
            const std::string text = input.Text();
            calc.TypeLength(text);
            if (Minutes(text) == 666.0) {
                Check(calc.form.log.size() == 6 && calc.form.log[0] == "wait begin" && calc.form.log[1] == "sound" &&
                          calc.form.log[2] == "length 120" && calc.form.log[4] == "result Try Again!" &&
                          calc.form.log[5] == "wait end",
                      "special sequence", text);
                CheckResult(calc.form.log[3].substr(7), "120", calc.model);
                Check(calc.form.lengthText == "120", "length reset", calc.form.lengthText);
                continue;
            }
            Check(calc.form.log.size() == 1, "one evaluation", text);
            break;
        }
        case 1: {
            const std::string text = input.Text();
            calc.TypeSize(text);
            Check(calc.form.log.size() == 1, "one evaluation", text);
            break;
        }
        case 2: {
            const int row = input.Row(10);
            calc.ChooseAudio(row);
            if (row < 0 || row >= 10) {
                Check(calc.form.log.empty() && calc.form.resultText == before, "ignored sound row",
                      std::to_string(row));
                continue;
            }
            rate = kRates[row];
            Check(calc.form.log.size() == 1, "one evaluation", std::to_string(row));
            break;
        }
        default: {
            const int row = input.Row(4);
            calc.ChooseDiscs(row);
            if (row < 0 || row >= 4) {
                Check(calc.form.log.empty() && calc.form.resultText == before, "ignored disc row",
                      std::to_string(row));
                continue;
            }
            Check(calc.form.sizeText == kDiscTexts[row], "disc megabytes", calc.form.sizeText);
            Check(calc.form.log.size() == 3 && calc.form.log[1] == calc.form.log[2], "two evaluations",
                  std::to_string(row));
            break;
        }
        }
        Check(calc.model.m_nAudioRate == rate, "sound rate");
        Check(calc.model.m_nTargetSize == ExpectedKilobytes(calc.form.sizeText), "target size", calc.form.sizeText);
        CheckResult(calc.form.resultText, calc.form.lengthText, calc.model);
    }
    return 0;
}
