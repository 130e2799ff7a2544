#include <climits>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fake_form.h"

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
    EXPECT_EQ(calc.form.resultText, "611.56");
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
    friend std::ostream& operator<<(std::ostream& out, const LengthCase& c)
    {
        return out << '"' << c.length << "\" -> " << c.result;
    }
};

class LengthResult : public testing::TestWithParam<LengthCase> {};

TEST_P(LengthResult, ShowsExpectedText)
{
    Calculator calc;
    calc.Start();
    calc.TypeLength(GetParam().length);
    EXPECT_EQ(calc.form.log, Log{std::string("result ") + GetParam().result});
}

INSTANTIATE_TEST_SUITE_P(Numbers, LengthResult,
                         testing::Values(LengthCase{"120", "611.56"},  // 550400/7200*8
                                         LengthCase{"90", "858.07"},   // 579200/5400*8
                                         LengthCase{"45", "1844.1"},   // 622400/2700*8
                                         LengthCase{"500", "49.493"},  // 185600/30000*8
                                         LengthCase{"1", "88619"},     // 664640/60*8 = 88618.67
                                         LengthCase{"12abc", "7267.6"}, // 654080/720*8 = 7267.56
                                         LengthCase{" 120", "611.56"}, LengthCase{"+120", "611.56"},
                                         LengthCase{"120.", "611.56"}, LengthCase{"1.2e2", "611.56"},
                                         LengthCase{"1e", "88619"}));

INSTANTIATE_TEST_SUITE_P(NoRunningTime, LengthResult,
                         testing::Values(LengthCase{"", "Can't!"}, LengthCase{"0", "Can't!"},
                                         LengthCase{"-0", "Can't!"}, LengthCase{"0.0", "Can't!"},
                                         LengthCase{"-1", "Can't!"}, LengthCase{"-1.0000001", "Can't!"},
                                         LengthCase{"-5", "Can't!"}, LengthCase{"-1e999", "Can't!"},
                                         LengthCase{"1e-999", "Can't!"}, LengthCase{"abc", "Can't!"},
                                         LengthCase{"0x10", "Can't!"}, LengthCase{"inf", "Can't!"},
                                         LengthCase{"nan", "Can't!"}));

// Between -1 and 0 the length is not refused; its bitrate is negative.
INSTANTIATE_TEST_SUITE_P(BetweenMinusOneAndZero, LengthResult,
                         testing::Values(LengthCase{"-0.5", "Can't"}, LengthCase{"-0.9999999", "Can't"},
                                         LengthCase{"-1e-300", "Can't"}));

INSTANTIATE_TEST_SUITE_P(TooLong, LengthResult,
                         testing::Values(LengthCase{"501", "Whoa!"}, LengthCase{"500.0000001", "Whoa!"},
                                         LengthCase{"665", "Whoa!"}, LengthCase{"667", "Whoa!"},
                                         LengthCase{"666.5", "Whoa!"}, LengthCase{"999", "Whoa!"},
                                         LengthCase{"1e999", "Whoa!"}));

// 0.5 min: 665120/30*8 = 177365.33, beyond the largest shown bitrate.
INSTANTIATE_TEST_SUITE_P(TooShort, LengthResult,
                         testing::Values(LengthCase{"0.5", "Can't"}, LengthCase{"1e-300", "Can't"}));

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
// 204.8 min is 12288 s exactly; 146271 MB = 149781504 KB, and
// (149781504 - 16*12288) / 12288 = 12173.25, so the bitrate is exactly 97386.

struct BoundCase {
    const char* size;
    const char* result;
    friend std::ostream& operator<<(std::ostream& out, const BoundCase& c)
    {
        return out << c.size << " MB -> " << c.result;
    }
};

class LargestBitrate : public testing::TestWithParam<BoundCase> {};

TEST_P(LargestBitrate, IsInclusive)
{
    Calculator calc;
    calc.Start();
    calc.TypeLength("204.8");
    calc.TypeSize(GetParam().size);
    EXPECT_EQ(calc.form.resultText, GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(AroundTheBound, LargestBitrate,
                         testing::Values(BoundCase{"146270", "97385"},   // 97385.33
                                         BoundCase{"146271", "97386"},   // 97386 exactly
                                         BoundCase{"146272", "Can't"})); // 97386.67

TEST(LargestBitrate, ComputesExactlyTheBound)
{
    EXPECT_EQ(CalculatorModel::ComputeVideoBitrate(12288.0, 16, 149781504), 97386.0);
}

// --- The special running time -----------------------------------------------

class SpecialLength : public testing::TestWithParam<const char*> {};

TEST_P(SpecialLength, AlertsUnderBusyCursorAndResetsTo120)
{
    Calculator calc;
    calc.Start();
    calc.TypeLength(GetParam());
    // The nested evaluation of "120" writes its number, then it is overwritten.
    EXPECT_EQ(calc.form.log, (Log{"wait begin", "sound", "length 120", "result 611.56", "result Try Again!",
                                  "wait end"}));
    EXPECT_EQ(calc.form.lengthText, "120");
    EXPECT_EQ(calc.form.resultText, "Try Again!");
}

INSTANTIATE_TEST_SUITE_P(Texts, SpecialLength, testing::Values("666", "666.0", " 666", "6.66e2", "666x"));

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
// With 120 min and one CD the bitrate is 665600/900 - 8*rate = 739.555... - 8*rate.

struct AudioCase {
    int row;
    std::int32_t rate;
    const char* result;
    friend std::ostream& operator<<(std::ostream& out, const AudioCase& c)
    {
        return out << "row " << c.row << " -> " << c.result;
    }
};

class AudioRow : public testing::TestWithParam<AudioCase> {};

TEST_P(AudioRow, SetsRateAndEvaluatesOnce)
{
    Calculator calc;
    calc.Start();
    calc.ChooseAudio(GetParam().row);
    EXPECT_EQ(calc.model.m_nAudioRate, GetParam().rate);
    EXPECT_EQ(calc.form.log, Log{std::string("result ") + GetParam().result});
}

INSTANTIATE_TEST_SUITE_P(AllRows, AudioRow,
                         testing::Values(AudioCase{0, 40, "419.56"}, AudioCase{1, 32, "483.56"},
                                         AudioCase{2, 28, "515.56"}, AudioCase{3, 24, "547.56"},
                                         AudioCase{4, 20, "579.56"}, AudioCase{5, 16, "611.56"},
                                         AudioCase{6, 14, "627.56"}, AudioCase{7, 12, "643.56"},
                                         AudioCase{8, 8, "675.56"}, AudioCase{9, 7, "683.56"}));

// --- Discs ------------------------------------------------------------------

struct DiscCase {
    int row;
    const char* megabytes;
    std::int32_t kilobytes;
    const char* result; // at 120 min and 16 KB/s
    friend std::ostream& operator<<(std::ostream& out, const DiscCase& c)
    {
        return out << "row " << c.row << " -> " << c.megabytes << " MB";
    }
};

class DiscRow : public testing::TestWithParam<DiscCase> {};

TEST_P(DiscRow, WritesMegabytesAndEvaluatesTwice)
{
    Calculator calc;
    calc.Start();
    calc.ChooseDiscs(GetParam().row);
    const std::string result = std::string("result ") + GetParam().result;
    EXPECT_EQ(calc.form.log, (Log{std::string("size ") + GetParam().megabytes, result, result}));
    EXPECT_EQ(calc.form.sizeText, GetParam().megabytes);
    EXPECT_EQ(calc.model.m_nTargetSize, GetParam().kilobytes);
}

// Row 0 while the box already reads "650" still writes and evaluates.
INSTANTIATE_TEST_SUITE_P(AllRows, DiscRow,
                         testing::Values(DiscCase{0, "650", 665600, "611.56"},
                                         DiscCase{1, "1300", 1331200, "1351.1"},  // 1216000/7200*8
                                         DiscCase{2, "1950", 1996800, "2090.7"},  // 1881600/7200*8
                                         DiscCase{3, "2600", 2662400, "2830.2"})); // 2547200/7200*8

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
    friend std::ostream& operator<<(std::ostream& out, const SizeCase& c)
    {
        return out << '"' << c.megabytes << "\" MB -> " << c.result;
    }
};

class TypedSize : public testing::TestWithParam<SizeCase> {};

TEST_P(TypedSize, SetsTargetAndLeavesDiscRowAlone)
{
    Calculator calc;
    calc.Start();
    calc.ChooseDiscs(2);
    calc.form.log.clear();
    calc.TypeSize(GetParam().megabytes);
    EXPECT_EQ(calc.model.m_nTargetSize, GetParam().kilobytes);
    EXPECT_EQ(calc.form.log, Log{std::string("result ") + GetParam().result});
    EXPECT_EQ(calc.form.discsRow, 2);
}

INSTANTIATE_TEST_SUITE_P(Figures, TypedSize,
                         testing::Values(SizeCase{"9000", 9216000, "10112"}, // 9100800/7200*8 exactly
                                         SizeCase{"1300", 1331200, "1351.1"},
                                         SizeCase{"0", 0, "Can't"}, SizeCase{"", 0, "Can't"},
                                         SizeCase{"-5", -5120, "Can't"}, SizeCase{"MB", 0, "Can't"},
                                         SizeCase{" 650x", 665600, "611.56"}));

// Absurd figures saturate instead of wrapping: 4194954 * 1024 wraps to exactly
// one CD in 32 bits, and 2097152 * 1024 to INT32_MIN.
INSTANTIATE_TEST_SUITE_P(Saturation, TypedSize,
                         testing::Values(SizeCase{"2097151", 2147482624, "Can't"},
                                         SizeCase{"2097152", INT32_MAX, "Can't"},
                                         SizeCase{"4194954", INT32_MAX, "Can't"},
                                         SizeCase{"99999999999", INT32_MAX, "Can't"},
                                         SizeCase{"-2097152", INT32_MIN, "Can't"},
                                         SizeCase{"-99999999999", INT32_MIN, "Can't"}));

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

struct Scenario {
    const char* length;
    int audioRow;
    const char* megabytes;
    const char* result;
    friend std::ostream& operator<<(std::ostream& out, const Scenario& c)
    {
        return out << c.length << " min, row " << c.audioRow << ", " << c.megabytes << " MB -> " << c.result;
    }
};

class Combined : public testing::TestWithParam<Scenario> {};

TEST_P(Combined, ShowsExpectedText)
{
    Calculator calc;
    calc.Start();
    calc.ChooseAudio(GetParam().audioRow);
    calc.TypeSize(GetParam().megabytes);
    calc.TypeLength(GetParam().length);
    EXPECT_EQ(calc.form.resultText, GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Combined,
    testing::Values(Scenario{"100", 9, "9000", "12232"},      // 9174000/6000*8 exactly
                    Scenario{"39", 5, "2893", "10000."},      // 2924992/2340*8 = 9999.97
                    Scenario{"500", 5, "469", "6.8267e-002"}, // 256/30000*8 = 0.068267
                    Scenario{"500", 5, "470", "0.34133"},     // 1280/30000*8 = 0.341333
                    Scenario{"500", 5, "468", "Can't"},       // -768/30000*8
                    Scenario{"80", 5, "75", "Can't"},         // 76800 - 16*4800 = 0 exactly
                    Scenario{"80", 5, "76", "1.7067"},        // 1024/4800*8 = 1.706667
                    Scenario{"80", 0, "400", "362.67"},       // 217600/4800*8 = 362.667
                    Scenario{"32", 5, "250", "938.67"}));     // 225280/1920*8 = 938.667

// --- Rows outside their table -----------------------------------------------

class OutsideAudioRow : public testing::TestWithParam<int> {};

TEST_P(OutsideAudioRow, ChangesNothing)
{
    Calculator calc;
    calc.Start();
    calc.ChooseAudio(GetParam());
    EXPECT_EQ(calc.model.m_nAudioRate, 16);
    EXPECT_TRUE(calc.form.log.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, OutsideAudioRow, testing::Values(-1, -2, 10, 100, INT_MIN, INT_MAX));

class OutsideDiscsRow : public testing::TestWithParam<int> {};

TEST_P(OutsideDiscsRow, ChangesNothing)
{
    Calculator calc;
    calc.Start();
    calc.TypeSize("700");
    calc.form.log.clear();
    calc.ChooseDiscs(GetParam());
    EXPECT_EQ(calc.model.m_nTargetSize, 716800);
    EXPECT_EQ(calc.form.sizeText, "700");
    EXPECT_TRUE(calc.form.log.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, OutsideDiscsRow, testing::Values(-1, -2, 4, 10, INT_MIN, INT_MAX));

// --- Binding and the formula itself ----------------------------------------

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

TEST(ComputeVideoBitrate, WorksInDoublesNotInTheIntegerRange)
{
    // Done in 32-bit integers these would overflow.
    EXPECT_EQ(CalculatorModel::ComputeVideoBitrate(1.0, 40, INT_MAX), 17179868856.0);
    EXPECT_EQ(CalculatorModel::ComputeVideoBitrate(1.0, 40, INT_MIN), -17179869504.0);
    EXPECT_EQ(CalculatorModel::ComputeVideoBitrate(2.0, INT_MIN, 0), 17179869184.0);
}

TEST(ComputeVideoBitrate, KeepsFractionalSeconds)
{
    // 0.5 s: (100 - 8*0.5) / 0.5 * 8 = 1536
    EXPECT_EQ(CalculatorModel::ComputeVideoBitrate(0.5, 8, 100), 1536.0);
}
