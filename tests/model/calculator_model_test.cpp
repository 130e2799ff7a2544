#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fake_form.h"

namespace {

using Log = std::vector<std::string>;

// Expected bitrates below are worked out by hand from
// (size KB - rate KB/s * seconds) / seconds * 8, rounded to five digits.

// --- Start-up ---------------------------------------------------------------

TEST(StartUp, SetsRowsAndValuesThenEvaluatesOnceForEachDefaultText)
{
    Calculator calc;
    // Stale values must not leak into the first evaluation.
    calc.model.m_nAudioRate = 40;
    calc.model.m_nTargetSize = 0;
    calc.model.Initialise();

    // (665600 - 16*7200) / 7200 * 8 = 611.5555...
    EXPECT_EQ(calc.form.log, (Log{"audio row 5", "discs row 0", "length 120", "result 611.56", "size 650",
                                  "result 611.56"}));
    EXPECT_EQ(calc.model.m_nAudioRate, 16);
    EXPECT_EQ(calc.model.m_nTargetSize, 665600);
    EXPECT_EQ(calc.form.lengthText, "120");
    EXPECT_EQ(calc.form.sizeText, "650");
}

TEST(StartUp, UnboundBoxesEvaluateNothing)
{
    Calculator calc;
    calc.form.lengthBound = false;
    calc.form.sizeBound = false;
    calc.model.Initialise();
    EXPECT_EQ(calc.form.log, (Log{"audio row 5", "discs row 0", "length 120", "size 650"}));
    EXPECT_EQ(calc.model.m_nTargetSize, 665600);
}

TEST(StartUp, UnboundSizeBoxLeavesOnlyTheLengthEvaluation)
{
    Calculator calc;
    calc.form.sizeBound = false;
    calc.model.Initialise();
    EXPECT_EQ(calc.form.log, (Log{"audio row 5", "discs row 0", "length 120", "result 611.56", "size 650"}));
}

// --- Length texts with the defaults (16 KB/s, 665600 KB) ---------------------

struct LengthCase {
    const char* length;
    const char* result;
};

void ExpectLengthResults(std::initializer_list<LengthCase> cases)
{
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("length \"") + c.length + '"');
        Calculator calc;
        calc.Start();
        calc.TypeLength(c.length);
        EXPECT_EQ(calc.form.log, Log{std::string("result ") + c.result});
    }
}

TEST(LengthResult, Numbers)
{
    ExpectLengthResults({{"120", "611.56"},   // 550400/7200*8
                         {"90", "858.07"},    // 579200/5400*8
                         {"45", "1844.1"},    // 622400/2700*8
                         {"500", "49.493"},   // 185600/30000*8
                         {"1", "88619"},      // 664640/60*8 = 88618.67
                         {"12abc", "7267.6"}, // 654080/720*8 = 7267.56
                         {" 120", "611.56"},
                         {"+120", "611.56"},
                         {"120.", "611.56"},
                         {"1.2e2", "611.56"},
                         {"1e", "88619"}});
}

TEST(LengthResult, NoRunningTime)
{
    ExpectLengthResults({{"", "Can't!"}, {"0", "Can't!"}, {"-0", "Can't!"}, {"0.0", "Can't!"},
                         {"-1", "Can't!"}, {"-1.0000001", "Can't!"}, {"-5", "Can't!"}, {"-1e999", "Can't!"},
                         {"1e-999", "Can't!"}, {"abc", "Can't!"}, {"0x10", "Can't!"}, {"inf", "Can't!"},
                         {"nan", "Can't!"}});
}

TEST(LengthResult, BetweenMinusOneAndZeroGivesNegativeBitrate)
{
    ExpectLengthResults({{"-0.5", "Can't"}, {"-0.9999999", "Can't"}, {"-1e-300", "Can't"}});
}

TEST(LengthResult, TooLong)
{
    ExpectLengthResults({{"501", "Whoa!"}, {"500.0000001", "Whoa!"}, {"665", "Whoa!"}, {"667", "Whoa!"},
                         {"666.5", "Whoa!"}, {"999", "Whoa!"}, {"1e999", "Whoa!"}});
}

// 0.5 min: 665120/30*8 = 177365.33, beyond the largest shown bitrate.
TEST(LengthResult, TooShort)
{
    ExpectLengthResults({{"0.5", "Can't"}, {"1e-300", "Can't"}});
}

TEST(LengthResult, EveryLengthFrom501To999ExceptTheSpecialOneIsTooLong)
{
    Calculator calc;
    calc.Start();
    for (int minutes = 501; minutes <= 999; ++minutes) {
        if (minutes == 666)
            continue;
        calc.TypeLength(std::to_string(minutes));
        EXPECT_EQ(calc.form.resultText, "Whoa!") << minutes;
    }
}

// --- The largest shown bitrate ---------------------------------------------

TEST(LargestBitrate, IsInclusive)
{
    // 204.8 min is 12288 s exactly; 146271 MB = 149781504 KB, and
    // (149781504 - 16*12288) / 12288 = 12173.25, so the bitrate is exactly 97386.
    EXPECT_EQ(CalculatorModel::ComputeVideoBitrate(12288.0, 16, 149781504), 97386.0);
    const struct {
        const char* megabytes;
        const char* result;
    } cases[] = {{"146270", "97385"}, {"146271", "97386"}, {"146272", "Can't"}}; // 97385.33, 97386, 97386.67
    for (const auto& c : cases) {
        Calculator calc;
        calc.Start();
        calc.TypeLength("204.8");
        calc.TypeSize(c.megabytes);
        EXPECT_EQ(calc.form.resultText, c.result) << c.megabytes;
    }
}

// --- The special running time -----------------------------------------------

TEST(SpecialLength, AlertsUnderBusyCursorAndResetsTo120)
{
    for (const char* text : {"666", "666.0", " 666", "6.66e2", "666x"}) {
        SCOPED_TRACE(text);
        Calculator calc;
        calc.Start();
        calc.TypeLength(text);
        // The nested evaluation of "120" writes its number, then it is overwritten.
        EXPECT_EQ(calc.form.log, (Log{"wait begin", "sound", "length 120", "result 611.56", "result Try Again!",
                                      "wait end"}));
        EXPECT_EQ(calc.form.lengthText, "120");
    }
}

TEST(SpecialLength, NestedEvaluationUsesTheCurrentSize)
{
    Calculator calc;
    calc.Start();
    calc.ChooseDiscs(1);
    calc.form.log.clear();
    calc.TypeLength("666");
    EXPECT_EQ(calc.form.log, (Log{"wait begin", "sound", "length 120", "result 1351.1", "result Try Again!",
                                  "wait end"}));
}

// --- Sound quality ----------------------------------------------------------

TEST(AudioRow, EveryRowSetsItsRateAndEvaluatesOnce)
{
    // At 120 min and one CD the bitrate is 665600/900 - 8*rate = 739.555... - 8*rate.
    const struct {
        std::int32_t rate;
        const char* result;
    } rows[] = {{40, "419.56"}, {32, "483.56"}, {28, "515.56"}, {24, "547.56"}, {20, "579.56"},
                {16, "611.56"}, {14, "627.56"}, {12, "643.56"}, {8, "675.56"},  {7, "683.56"}};
    for (int row = 0; row < 10; ++row) {
        SCOPED_TRACE(row);
        Calculator calc;
        calc.Start();
        calc.ChooseAudio(row);
        EXPECT_EQ(calc.model.m_nAudioRate, rows[row].rate);
        EXPECT_EQ(calc.form.log, Log{std::string("result ") + rows[row].result});
    }
}

// --- Discs ------------------------------------------------------------------

TEST(DiscRow, EveryRowWritesItsMegabytesAndEvaluatesTwice)
{
    // Row 0 while the box already reads "650" still writes and evaluates.
    const struct {
        const char* megabytes;
        std::int32_t kilobytes;
        const char* result; // at 120 min and 16 KB/s
    } rows[] = {{"650", 665600, "611.56"},
                {"1300", 1331200, "1351.1"},  // 1216000/7200*8
                {"1950", 1996800, "2090.7"},  // 1881600/7200*8
                {"2600", 2662400, "2830.2"}}; // 2547200/7200*8
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        Calculator calc;
        calc.Start();
        calc.ChooseDiscs(row);
        const std::string result = std::string("result ") + rows[row].result;
        EXPECT_EQ(calc.form.log, (Log{std::string("size ") + rows[row].megabytes, result, result}));
        EXPECT_EQ(calc.model.m_nTargetSize, rows[row].kilobytes);
    }
}

TEST(DiscRow, TwoDiscsAt120MinShowTheSameAsOneDiscAt60)
{
    Calculator calc;
    calc.Start();
    calc.TypeLength("60");
    const std::string oneDiscAt60 = calc.form.resultText;
    calc.TypeLength("120");
    calc.ChooseDiscs(1);
    EXPECT_EQ(calc.form.resultText, oneDiscAt60);
}

TEST(DiscRow, SizeIsTakenBackFromTheBoxAfterTheWrite)
{
    // A box that keeps its own figure (as if it refused the write) wins.
    struct StubbornForm : FakeForm {
        void SetSizeText(const char* text) override
        {
            log.push_back(std::string("size ") + text);
            model->OnChangeSize();
        }
    };
    StubbornForm form;
    CalculatorModel model(form);
    form.model = &model;
    model.Initialise();
    form.sizeText = "1000";
    form.discsRow = 3;
    model.OnSelchangeDiscs();
    EXPECT_EQ(model.m_nTargetSize, 1024000);
}

// --- Megabytes typed --------------------------------------------------------

struct SizeCase {
    const char* megabytes;
    std::int32_t kilobytes;
    const char* result; // at 120 min and 16 KB/s
};

void ExpectTypedSizes(std::initializer_list<SizeCase> cases)
{
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("megabytes \"") + c.megabytes + '"');
        Calculator calc;
        calc.Start();
        calc.ChooseDiscs(2);
        calc.form.log.clear();
        calc.TypeSize(c.megabytes);
        EXPECT_EQ(calc.model.m_nTargetSize, c.kilobytes);
        EXPECT_EQ(calc.form.log, Log{std::string("result ") + c.result});
        EXPECT_EQ(calc.form.discsRow, 2); // the list keeps its row
    }
}

TEST(TypedSize, SetsTargetAndLeavesDiscRowAlone)
{
    ExpectTypedSizes({{"9000", 9216000, "10112"}, // 9100800/7200*8 exactly
                      {"1300", 1331200, "1351.1"},
                      {"0", 0, "Can't"},
                      {"", 0, "Can't"},
                      {"-5", -5120, "Can't"},
                      {"MB", 0, "Can't"},
                      {" 650x", 665600, "611.56"}});
}

// Absurd figures saturate instead of wrapping: 4194954 * 1024 wraps to exactly
// one CD in 32 bits, and 2097152 * 1024 to INT32_MIN.
TEST(TypedSize, AbsurdFiguresSaturate)
{
    ExpectTypedSizes({{"2097151", 2147482624, "Can't"},
                      {"2097152", INT32_MAX, "Can't"},
                      {"4194954", INT32_MAX, "Can't"},
                      {"99999999999", INT32_MAX, "Can't"},
                      {"-2097152", INT32_MIN, "Can't"},
                      {"-99999999999", INT32_MIN, "Can't"}});
}

TEST(TypedSize, UnboundBoxChangesNothing)
{
    Calculator calc;
    calc.Start();
    calc.form.sizeBound = false;
    calc.TypeSize("9000");
    EXPECT_EQ(calc.model.m_nTargetSize, 665600);
    EXPECT_TRUE(calc.form.log.empty());
}

TEST(TypedSize, EmptyBoxRefusesEveryValidLength)
{
    Calculator calc;
    calc.Start();
    calc.TypeSize("");
    for (int minutes = 1; minutes <= 500; ++minutes) {
        calc.TypeLength(std::to_string(minutes));
        EXPECT_EQ(calc.form.resultText, "Can't") << minutes;
    }
}

// --- Combined inputs --------------------------------------------------------

TEST(Combined, LengthSoundAndSize)
{
    const struct {
        const char* length;
        int audioRow;
        const char* megabytes;
        const char* result;
    } cases[] = {
        {"100", 9, "9000", "12232"},      // 9174000/6000*8 exactly
        {"39", 5, "2893", "10000."},      // 2924992/2340*8 = 9999.97
        {"500", 5, "469", "6.8267e-002"}, // 256/30000*8 = 0.068267
        {"500", 5, "470", "0.34133"},     // 1280/30000*8 = 0.341333
        {"500", 5, "468", "Can't"},       // -768/30000*8
        {"80", 5, "75", "Can't"},         // 76800 - 16*4800 = 0 exactly
        {"80", 5, "76", "1.7067"},        // 1024/4800*8 = 1.706667
        {"80", 0, "400", "362.67"},       // 217600/4800*8 = 362.667
        {"32", 5, "250", "938.67"},       // 225280/1920*8 = 938.667
    };
    for (const auto& c : cases) {
        Calculator calc;
        calc.Start();
        calc.ChooseAudio(c.audioRow);
        calc.TypeSize(c.megabytes);
        calc.TypeLength(c.length);
        EXPECT_EQ(calc.form.resultText, c.result) << c.length << " min, row " << c.audioRow << ", " << c.megabytes;
    }
}

// --- Rows outside their table and unbound boxes -------------------------------

TEST(OutsideRow, AudioChangesNothing)
{
    for (const int row : {-1, -2, 10, 100, INT_MIN, INT_MAX}) {
        Calculator calc;
        calc.Start();
        calc.ChooseAudio(row);
        EXPECT_EQ(calc.model.m_nAudioRate, 16) << row;
        EXPECT_TRUE(calc.form.log.empty()) << row;
    }
}

TEST(OutsideRow, DiscsChangeNothing)
{
    for (const int row : {-1, -2, 4, 10, INT_MIN, INT_MAX}) {
        Calculator calc;
        calc.Start();
        calc.TypeSize("700");
        calc.form.log.clear();
        calc.ChooseDiscs(row);
        EXPECT_EQ(calc.model.m_nTargetSize, 716800) << row;
        EXPECT_EQ(calc.form.sizeText, "700") << row;
        EXPECT_TRUE(calc.form.log.empty()) << row;
    }
}

TEST(Binding, UnboundLengthBoxEvaluatesNothing)
{
    Calculator calc;
    calc.Start();
    calc.form.lengthBound = false;
    calc.TypeLength("90");
    calc.ChooseAudio(0);
    calc.ChooseDiscs(1);
    EXPECT_EQ(calc.form.log, Log{"size 1300"});
    // The values still follow the inputs.
    EXPECT_EQ(calc.model.m_nAudioRate, 40);
    EXPECT_EQ(calc.model.m_nTargetSize, 1331200);
}

// --- The formula --------------------------------------------------------------

TEST(ComputeVideoBitrate, WorksInDoublesNotInTheIntegerRange)
{
    // Done in 32-bit integers these would overflow.
    EXPECT_EQ(CalculatorModel::ComputeVideoBitrate(1.0, 40, INT_MAX), 17179868856.0);
    EXPECT_EQ(CalculatorModel::ComputeVideoBitrate(1.0, 40, INT_MIN), -17179869504.0);
    EXPECT_EQ(CalculatorModel::ComputeVideoBitrate(2.0, INT_MIN, 0), 17179869184.0);
    // Fractional seconds are kept: (100 - 8*0.5) / 0.5 * 8 = 1536.
    EXPECT_EQ(CalculatorModel::ComputeVideoBitrate(0.5, 8, 100), 1536.0);
}

} // namespace
