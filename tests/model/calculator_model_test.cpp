#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "model/calculator_model.h"

namespace {

// The calculator page's stand-in, with its model. Like an edit box, writing a
// text notifies the model before the write returns, also when it is unchanged
// or the box counts as unbound. Every call that changes the form is logged.
class FakeForm : public ICalculatorForm {
public:
    CalculatorModel model{*this};
    bool lengthBound = true, sizeBound = true;
    std::string lengthText, sizeText, resultText;
    int audioRow = -1, discsRow = -1;
    std::string log;  // entries separated by "; "

    // Steps: L, M and a text typed into the length or megabyte box, A, D and a
    // row chosen in a list (not logged); I initialises; Bxy binds the length and
    // megabyte boxes (1) or not (0); | forgets the log so far; ? logs the target size.
    void Do(char step, const std::string& text)
    {
        if (step == 'L' || step == 'M')
            (step == 'L' ? lengthText : sizeText) = text;
        if (step == 'A' || step == 'D')
            (step == 'A' ? audioRow : discsRow) = std::stoi(text);
        if (step == 'B')
            lengthBound = text[0] == '1', sizeBound = text[1] == '1';
        if (step == '|')
            log.clear();
        if (step == '?')
            Log(std::to_string(model.m_nTargetSize) + " KB");
        // Then the handler of the step's input, if it has one.
        const std::string steps = "LMADI";
        void (CalculatorModel::*const handlers[])() = {
            &CalculatorModel::OnChangeLength, &CalculatorModel::OnChangeSize,
            &CalculatorModel::OnSelchangeAudio, &CalculatorModel::OnSelchangeDiscs,
            &CalculatorModel::Initialise};
        if (steps.find(step) != std::string::npos)
            (model.*handlers[steps.find(step)])();
    }

    void Log(const std::string& entry) { log += (log.empty() ? "" : "; ") + entry; }
    bool IsLengthBound() const override { return lengthBound; }
    TextBuffer GetLengthText() const override { return TextBuffer(lengthText); }
    void SetLengthText(const char* text) override
    {
        Log("length " + (lengthText = text));
        model.OnChangeLength();
    }
    bool IsSizeBound() const override { return sizeBound; }
    TextBuffer GetSizeText() const override { return TextBuffer(sizeText); }
    void SetSizeText(const char* text) override
    {
        Log("size " + std::string(text));
        Do('M', text);
    }
    void SetResultText(const char* text) override { Log("result " + (resultText = text)); }
    int GetAudioRow() const override { return audioRow; }
    void SetAudioRow(int row) override { Log("audio row " + std::to_string(audioRow = row)); }
    int GetDiscsRow() const override { return discsRow; }
    void SetDiscsRow(int row) override { Log("discs row " + std::to_string(discsRow = row)); }
    void BeginWaitCursor() override { Log("wait begin"); }
    void EndWaitCursor() override { Log("wait end"); }
    void PlayAlertSound() override { Log("sound"); }
};

// Runs steps separated by ';' (FakeForm::Do) on a fresh model holding stale
// values, which must not reach the first evaluation; returns its log.
std::string RunScript(const std::string& script)
{
    FakeForm form;
    form.model.m_nAudioRate = 40;
    form.model.m_nTargetSize = 0;
    for (std::size_t at = 0, end = 0; at < script.size(); at = end + 1) {
        end = std::min(script.find(';', at), script.size());
        form.Do(script[at], script.substr(at + 1, end - at - 1));
    }
    return form.log;
}

// The oracle for the rule and its tables: every bitrate below is worked out by
// hand from (size KB - rate KB/s * seconds) / seconds * 8, to five digits.
TEST(CalculatorModel, Scripts)
{
    const struct {
        const char *script, *log;
    } cases[] = {
        // Both values are in place before the nested evaluations: 665600/900 - 128 = 611.56.
        {"I;?", "audio row 5; discs row 0; length 120; result 611.56; size 650; result 611.56; 665600 KB"},
        {"B00;I;?", "audio row 5; discs row 0; length 120; size 650; 665600 KB"},
        // One evaluation per typed length: 664640/60*8 = 88618.67, 185600/30000*8 (the longest).
        {"I;|;L120;L1;L500", "result 611.56; result 88619; result 49.493"},
        {"I;|;L501;L500.0000001;L666.5", "result Whoa!; result Whoa!; result Whoa!"},
        {"I;|;L;L0;L-1;L-1.0000001", "result Can't!; result Can't!; result Can't!; result Can't!"},
        {"I;|;L-0.5;L0.5", "result Can't; result Can't"},  // a negative bitrate; 665120/30*8 = 177365
        {"I;M146270;|;L204.8;M146271;M146272",
         "result 97385; result 97386; result Can't"},  // 97385.33, exactly 97386 (12288 s), 97386.67
        {"I;A9;M9000;|;L100", "result 12232"},         // 9174000/6000*8 exactly
        {"I;M2893;|;L39", "result 10000."},            // 2924992/2340*8 = 9999.97
        {"I;M45;|;L8", "result 640."},                 // 38400/480*8 exactly
        {"I;M468;|;L500;M469", "result Can't; result 6.8267e-002"},  // -768/30000*8, 256/30000*8
        {"I;M75;|;L80;M76", "result Can't; result 1.7067"},          // 0 exactly, 1024/4800*8
        // The alert, with the nested evaluation of 120 (1216000/7200*8 = 1351.1) overwritten.
        {"I;|;L666", "wait begin; sound; length 120; result 611.56; result Try Again!; wait end"},
        {"I;M1300;|;L666.0", "wait begin; sound; length 120; result 1351.1; result Try Again!; wait end"},
        // Every sound row sets its rate, 320 down to 56 kbit/s (665600/900 - 8*rate); no row (-1) reads
        // no rate from outside the table.
        {"I;|;A0;A1;A2;A3;A4;A5;A6;A7;A8;A9;A-1;L120",
         "result 419.56; result 483.56; result 515.56; result 547.56; result 579.56; result 611.56; "
         "result 627.56; result 643.56; result 675.56; result 683.56; result 683.56"},
        // Every disc row writes its megabytes, also when the box reads them, which evaluates, and
        // evaluates again with the size read back from the box: 650 MB * n * 1024 / 900 - 128.
        {"I;M700;|;D1;?;D2;?;D3;?;D0",
         "size 1300; result 1351.1; result 1351.1; 1331200 KB; size 1950; result 2090.7; result 2090.7; "
         "1996800 KB; size 2600; result 2830.2; result 2830.2; 2662400 KB; size 650; result 611.56; result "
         "611.56"},
        {"I;M1000;|;D-1;?", "1024000 KB"},  // no row: no size from outside the table
        // Typed megabytes as atoi reads them, x1024, saturated: 4194954 * 1024 would wrap to one CD.
        {"I;D2;|;M9000;M \t+650x;?", "result 10112; result 611.56; 665600 KB"},  // 9100800/900
        {"I;|;M;?;M-5;?;M2097151;?",
         "result Can't; 0 KB; result Can't; -5120 KB; result Can't; 2147482624 KB"},
        {"I;|;M2097152;?;M4194954;?;M99999999999999999999;?",
         "result Can't; 2147483647 KB; result Can't; 2147483647 KB; result Can't; 2147483647 KB"},
        {"I;|;M-2097152;?;M-2097153;?", "result Can't; -2147483648 KB; result Can't; -2147483648 KB"},
        // An unbound box evaluates nothing; the values still follow the inputs: (1331200 - 40*7200)/900.
        {"I;B10;|;M9000;?", "665600 KB"},
        {"I;B01;|;L90;A0;D1;?;B11;L120", "size 1300; 1331200 KB; result 1159.1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunScript(c.script), c.log) << c.script;
}

}  // namespace
