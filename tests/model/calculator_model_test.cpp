#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fake_form.h"

namespace {

using Log = std::vector<std::string>;

// Expected bitrates are worked out by hand from
// (size KB - rate KB/s * seconds) / seconds * 8, rounded to five digits.

TEST(StartUp, SetsRowsAndValuesBeforeTheNestedEvaluations)
{
    const Log rows{"audio row 5", "discs row 0"};
    const struct {
        bool lengthBound, sizeBound;
        Log rest;
    } cases[] = {// (665600 - 16*7200) / 7200 * 8 = 611.555...
                 {true, true, {"length 120", "result 611.56", "size 650", "result 611.56"}},
                 {false, false, {"length 120", "size 650"}}};
    for (const auto& c : cases) {
        Calculator calc;
        calc.form.lengthBound = c.lengthBound;
        calc.form.sizeBound = c.sizeBound;
        calc.model.m_nAudioRate = 40; // stale values must not reach the first evaluation
        calc.model.m_nTargetSize = 0;
        calc.model.Initialise();
        Log expected = rows;
        expected.insert(expected.end(), c.rest.begin(), c.rest.end());
        EXPECT_EQ(calc.form.log, expected) << c.lengthBound << c.sizeBound;
        EXPECT_EQ(calc.model.m_nAudioRate, 16);
        EXPECT_EQ(calc.model.m_nTargetSize, 665600);
    }
}

// One evaluation per typed length, after the sound row and megabytes are set.
TEST(Evaluate, ResultTextsAndThresholds)
{
    // 204.8 min is 12288 s: (146271*1024 - 16*12288) / 12288 * 8 is exactly 97386.
    ASSERT_EQ(CalculatorModel::ComputeVideoBitrate(12288.0, 16, 146271 * 1024), 97386.0);
    const struct {
        const char* length;
        int audioRow;
        const char* megabytes;
        const char* result;
    } cases[] = {
        {"120", 5, "650", "611.56"},
        {"1", 5, "650", "88619"},           // 664640/60*8 = 88618.67
        {"500", 5, "650", "49.493"},        // 185600/30000*8, the longest time
        {"501", 5, "650", "Whoa!"},
        {"500.0000001", 5, "650", "Whoa!"},
        {"666.5", 5, "650", "Whoa!"},       // not 666
        {"", 5, "650", "Can't!"},           // no running time
        {"0", 5, "650", "Can't!"},
        {"-1", 5, "650", "Can't!"},
        {"-1.0000001", 5, "650", "Can't!"},
        {"-0.5", 5, "650", "Can't"},        // between -1 and 0: a negative bitrate
        {"0.5", 5, "650", "Can't"},         // 665120/30*8 = 177365, too high
        {"204.8", 5, "146270", "97385"},    // 97385.33
        {"204.8", 5, "146271", "97386"},    // the largest shown, exactly
        {"204.8", 5, "146272", "Can't"},    // 97386.67
        {"100", 9, "9000", "12232"},        // 9174000/6000*8 exactly
        {"80", 0, "400", "362.67"},         // 217600/4800*8 = 362.667
        {"39", 5, "2893", "10000."},        // 2924992/2340*8 = 9999.97
        {"500", 5, "469", "6.8267e-002"},   // 256/30000*8 = 0.068267
        {"500", 5, "468", "Can't"},         // -768/30000*8
        {"80", 5, "75", "Can't"},           // 76800 - 16*4800 = 0 exactly
        {"80", 5, "76", "1.7067"},          // 1024/4800*8 = 1.706667
    };
    for (const auto& c : cases) {
        Calculator calc;
        calc.Start();
        calc.ChooseAudio(c.audioRow);
        calc.TypeSize(c.megabytes);
        calc.form.log.clear();
        calc.TypeLength(c.length);
        EXPECT_EQ(calc.form.log, Log{std::string("result ") + c.result})
            << c.length << " min, row " << c.audioRow << ", " << c.megabytes << " MB";
    }
}

// The nested evaluation of "120" writes its number, which is then overwritten.
TEST(Length666, AlertsUnderBusyCursorAndResetsTo120)
{
    const struct {
        const char* megabytes;
        const char* length;
        const char* nested;
    } cases[] = {{"650", "666", "result 611.56"}, {"1300", "666.0", "result 1351.1"}}; // 1216000/7200*8
    for (const auto& c : cases) {
        Calculator calc;
        calc.Start();
        calc.TypeSize(c.megabytes);
        calc.form.log.clear();
        calc.TypeLength(c.length);
        EXPECT_EQ(calc.form.log, (Log{"wait begin", "sound", "length 120", c.nested, "result Try Again!", "wait end"}))
            << c.length;
        EXPECT_EQ(calc.form.lengthText, "120");
    }
}

// At 120 min and one CD the bitrate is 665600/900 - 8*rate. Rows outside the
// list change and evaluate nothing.
TEST(AudioRow, SetsItsRateAndEvaluatesOnce)
{
    const struct {
        int row;
        std::int32_t rate;
        Log log;
    } cases[] = {{0, 40, {"result 419.56"}}, {9, 7, {"result 683.56"}}, {-1, 16, {}}, {10, 16, {}}, {INT_MIN, 16, {}}};
    for (const auto& c : cases) {
        Calculator calc;
        calc.Start();
        calc.ChooseAudio(c.row);
        EXPECT_EQ(calc.model.m_nAudioRate, c.rate) << c.row;
        EXPECT_EQ(calc.form.log, c.log) << c.row;
    }
}

// A disc row writes its megabytes (also when the box reads them already),
// which evaluates, and evaluates again. Rows outside the list do nothing.
TEST(DiscRow, WritesItsMegabytesAndEvaluatesTwice)
{
    const struct {
        const char* before;
        int row;
        const char* after;
        std::int32_t kilobytes;
        Log log;
    } cases[] = {{"650", 0, "650", 665600, {"size 650", "result 611.56", "result 611.56"}},
                 {"700", 3, "2600", 2662400, {"size 2600", "result 2830.2", "result 2830.2"}}, // 2547200/7200*8
                 {"700", -1, "700", 716800, {}},
                 {"700", 4, "700", 716800, {}}};
    for (const auto& c : cases) {
        Calculator calc;
        calc.Start();
        calc.TypeSize(c.before);
        calc.form.log.clear();
        calc.ChooseDiscs(c.row);
        EXPECT_EQ(calc.form.sizeText, c.after) << c.row;
        EXPECT_EQ(calc.model.m_nTargetSize, c.kilobytes) << c.row;
        EXPECT_EQ(calc.form.log, c.log) << c.row;
    }
}

TEST(DiscRow, SizeIsTakenBackFromTheBoxAfterTheWrite)
{
    // A box that refuses the write, and so reports no change, keeps its figure.
    struct StubbornForm : FakeForm {
        void SetSizeText(const char*) override {}
    };
    StubbornForm form;
    CalculatorModel model(form);
    form.model = &model;
    form.sizeText = "1000";
    form.discsRow = 3;
    model.OnSelchangeDiscs();
    EXPECT_EQ(model.m_nTargetSize, 1024000);
}

// Typed megabytes set the size and evaluate once; the disc list keeps its
// row. Absurd figures saturate: 4194954 * 1024 wraps to exactly one CD in 32
// bits, and 2097152 * 1024 to INT32_MIN.
TEST(TypedSize, SetsTheSizeAndLeavesTheDiscRowAlone)
{
    const struct {
        const char* megabytes;
        std::int32_t kilobytes;
        const char* result; // at 120 min and 16 KB/s
    } cases[] = {{"9000", 9216000, "10112"}, // 9100800/7200*8 exactly
                 {" 650x", 665600, "611.56"},
                 {"", 0, "Can't"},
                 {"-5", -5120, "Can't"},
                 {"2097151", 2147482624, "Can't"},
                 {"2097152", INT32_MAX, "Can't"},
                 {"4194954", INT32_MAX, "Can't"},
                 {"99999999999", INT32_MAX, "Can't"},
                 {"-2097152", INT32_MIN, "Can't"},
                 {"-2097153", INT32_MIN, "Can't"}};
    for (const auto& c : cases) {
        Calculator calc;
        calc.Start();
        calc.ChooseDiscs(2);
        calc.form.log.clear();
        calc.TypeSize(c.megabytes);
        EXPECT_EQ(calc.model.m_nTargetSize, c.kilobytes) << c.megabytes;
        EXPECT_EQ(calc.form.log, Log{std::string("result ") + c.result}) << c.megabytes;
        EXPECT_EQ(calc.form.discsRow, 2);
    }
}

// An unbound box evaluates nothing; an unbound size box also keeps the size.
TEST(Binding, UnboundBoxesEvaluateNothing)
{
    Calculator calc;
    calc.Start();
    calc.form.sizeBound = false;
    calc.TypeSize("9000");
    EXPECT_EQ(calc.model.m_nTargetSize, 665600);
    EXPECT_TRUE(calc.form.log.empty());

    calc.form.sizeBound = true;
    calc.form.lengthBound = false;
    calc.TypeLength("90");
    calc.ChooseAudio(0);
    calc.ChooseDiscs(1);
    EXPECT_EQ(calc.form.log, Log{"size 1300"});
    EXPECT_EQ(calc.model.m_nAudioRate, 40); // the values still follow the inputs
    EXPECT_EQ(calc.model.m_nTargetSize, 1331200);
}

} // namespace
