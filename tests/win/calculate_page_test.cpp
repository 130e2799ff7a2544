// The calculator form through its real controls: what a user types, clicks
// and chooses, and what other programs can put into its boxes.
#include <string>
#include <vector>

#include "form_fixture.h"
#include "platform/sound.h"
#include "platform/wait_cursor.h"

namespace {

using CalculatePage = FormTest;

TEST_F(CalculatePage, StartsWithTheDefaultsAndTheirResult)
{
    EXPECT_EQ("120", Length());
    EXPECT_EQ("650", Size());
    EXPECT_EQ(0, Row(IDC_DISCS));
    EXPECT_EQ(5, Row(IDC_AUDIO));
    // (665600 - 16 x 7200) / 7200 x 8 = 611.5555...
    EXPECT_EQ("611.56", Result());
    EXPECT_EQ(16, m_page->m_model.m_nAudioRate);
    EXPECT_EQ(665600, m_page->m_model.m_nTargetSize);
    // The labels came from the template's list data, in table order.
    EXPECT_EQ("1 CD", m_page->m_comboDiscs.GetLBText(0).str());
    EXPECT_EQ("4 CDs", m_page->m_comboDiscs.GetLBText(3).str());
    EXPECT_EQ(4, m_page->m_comboDiscs.GetCount());
    EXPECT_EQ("128 kBit/sec, Stereo - 16kb/sec", m_page->m_comboAudio.GetLBText(5).str());
    EXPECT_EQ(10, m_page->m_comboAudio.GetCount());
}

TEST_F(CalculatePage, BindsTheSevenControlsById)
{
    const std::pair<const CWnd*, int> bound[] = {
        {&m_page->m_spinSize, IDC_SIZE_SPIN},  {&m_page->m_comboDiscs, IDC_DISCS},
        {&m_page->m_editSize, IDC_SIZE},       {&m_page->m_spinLength, IDC_LENGTH_SPIN},
        {&m_page->m_editResult, IDC_RESULT},   {&m_page->m_editLength, IDC_LENGTH},
        {&m_page->m_comboAudio, IDC_AUDIO},
    };
    for (const auto& [control, id] : bound) {
        EXPECT_NE(nullptr, control->m_hWnd) << id;
        EXPECT_EQ(Item(id), control->m_hWnd) << id;
    }
    // Each spin writes into the box before it.
    EXPECT_EQ(Item(IDC_LENGTH), m_page->m_spinLength.GetBuddy());
    EXPECT_EQ(Item(IDC_SIZE), m_page->m_spinSize.GetBuddy());
}

TEST_F(CalculatePage, TypingLengthsComputesOnEveryKeystroke)
{
    struct Case {
        const char* keys;
        const char* length;   // what the box holds
        const char* result;   // worked out from (665600 - 16 x 60L) / 60L x 8
    };
    const Case cases[] = {
        {"9", "9", "9732.7"},          // 540 s: 656960 / 540 x 8 = 9732.74...
        {"90", "90", "858.07"},
        {"45", "45", "1844.1"},
        {"500", "500", "49.493"},
        {"1", "1", "88619"},
        {"1234", "123", "593.52"},     // a fourth digit is refused
        {"0", "0", "Can't!"},
        {"501", "501", "Whoa!"},
        {"999", "999", "Whoa!"},
        {"4a-5.e", "45", "1844.1"},    // non-digits are refused
    };
    for (const Case& c : cases) {
        Retype(IDC_LENGTH, c.keys);
        EXPECT_EQ(c.length, Length()) << c.keys;
        EXPECT_EQ(c.result, Result()) << c.keys;
    }
    // Deleting the last digit empties the box: no running time.
    Retype(IDC_LENGTH, "7");
    Key(IDC_LENGTH, VK_END);
    ::SendMessageA(Item(IDC_LENGTH), WM_CHAR, VK_BACK, 1);
    EXPECT_EQ("", Length());
    EXPECT_EQ("Can't!", Result());
}

TEST_F(CalculatePage, TypingMegabytesLeavesTheDiscRowAlone)
{
    Choose(IDC_DISCS, 2);  // 3 CDs
    ASSERT_EQ("1950", Size());
    struct Case {
        const char* keys;
        const char* size;
        const char* result;  // length 120, 16 KB/s
    };
    const Case cases[] = {
        {"9000", "9000", "10112"},    // (9216000 - 115200) / 7200 x 8 = 10112: five digits, no point
        {"12345", "1234", "1276."},   // capped at four digits; 1276.02 rounds to 1276.0, zero dropped
        {"0", "0", "Can't"},
        {"700", "700", "668.44"},
    };
    for (const Case& c : cases) {
        Retype(IDC_SIZE, c.keys);
        EXPECT_EQ(c.size, Size()) << c.keys;
        EXPECT_EQ(c.result, Result()) << c.keys;
        EXPECT_EQ(2, Row(IDC_DISCS)) << c.keys;
    }
}

TEST_F(CalculatePage, ChoosingListRows)
{
    struct Case {
        int discs, audio;
        const char* size;
        const char* result;  // length 120
    };
    const Case cases[] = {
        {1, 5, "1300", "1351.1"},  // 2 CDs
        {3, 5, "2600", "2830.2"},  // (2662400 - 115200) / 7200 x 8
        {0, 0, "650", "419.56"},   // 320 kbit/s
        {0, 9, "650", "683.56"},   // 56 kbit/s
    };
    for (const Case& c : cases) {
        Choose(IDC_DISCS, c.discs);
        Choose(IDC_AUDIO, c.audio);
        EXPECT_EQ(c.discs, Row(IDC_DISCS));
        EXPECT_EQ(c.audio, Row(IDC_AUDIO));
        EXPECT_EQ(c.size, Size());
        EXPECT_EQ(c.result, Result()) << c.discs << "/" << c.audio;
    }
    // Choosing "1 CD" while the box already reads 650 still writes and evaluates.
    Retype(IDC_SIZE, "650");
    m_page->m_comboDiscs.SetCurSel(1);  // the list shows another row, silently
    m_page->m_editResult.SetWindowText("stale");
    Choose(IDC_DISCS, 0);
    EXPECT_EQ(0, Row(IDC_DISCS));
    EXPECT_EQ("650", Size());
    EXPECT_EQ("683.56", Result());
}

TEST_F(CalculatePage, SpinsStepStopAtTheirBoundsAndNeverWriteCommas)
{
    // Length: 120 -> 121 -> 120; and the spin stops at 500 and 1.
    SpinClick(IDC_LENGTH_SPIN, true);
    EXPECT_EQ("121", Length());
    EXPECT_EQ("605.44", Result());  // 549440 / 7260 x 8
    SpinClick(IDC_LENGTH_SPIN, false);
    EXPECT_EQ("120", Length());
    EXPECT_EQ("611.56", Result());

    Retype(IDC_LENGTH, "500");
    SpinClick(IDC_LENGTH_SPIN, true);
    EXPECT_EQ("500", Length());
    Retype(IDC_LENGTH, "1");
    SpinClick(IDC_LENGTH_SPIN, false);
    EXPECT_EQ("1", Length());
    EXPECT_EQ("88619", Result());

    // Size: from 999 up to 1000 without a separator; stops at 9000 and 1.
    Retype(IDC_SIZE, "999");
    SpinClick(IDC_SIZE_SPIN, true);
    EXPECT_EQ("1000", Size());
    Retype(IDC_LENGTH, "120");
    EXPECT_EQ(1024000, m_page->m_model.m_nTargetSize);
    EXPECT_EQ("1009.8", Result());  // (1024000 - 115200) / 7200 x 8 = 1009.77...
    Retype(IDC_SIZE, "9000");
    SpinClick(IDC_SIZE_SPIN, true);
    EXPECT_EQ("9000", Size());
    Retype(IDC_SIZE, "1");
    SpinClick(IDC_SIZE_SPIN, false);
    EXPECT_EQ("1", Size());
    EXPECT_EQ("Can't", Result());
}

TEST_F(CalculatePage, TheSpecialLengthResetsTheFormAndBalancesTheBusyCursor)
{
    ASSERT_NE(nullptr, FindResourceSound(IDR_ALERT_SOUND));
    for (const char* text : {"666", "666.0"}) {
        m_page->m_editLength.SetWindowText(text);
        EXPECT_EQ("120", Length()) << text;
        EXPECT_EQ("Try Again!", Result()) << text;
        EXPECT_FALSE(IsWaitCursorShown()) << text;
    }
    Retype(IDC_LENGTH, "666");
    EXPECT_EQ("120", Length());
    EXPECT_EQ("Try Again!", Result());
}

TEST_F(CalculatePage, AnyTextOtherProgramsPutInTheBoxes)
{
    struct Case {
        const char* length;
        const char* size;
        const char* result;
    };
    const Case cases[] = {
        {"", "650", "Can't!"},
        {"-1", "650", "Can't!"},
        {"-5", "650", "Can't!"},
        {"-0.5", "650", "Can't"},
        {"0.5", "650", "Can't"},         // 177365.33 is over the bound
        {"12abc", "650", "7267.6"},      // 12 minutes: 654080 / 720 x 8
        {"  90", "650", "858.07"},
        {"1e2", "650", "759.47"},        // 100 minutes
        {"1e999", "650", "Whoa!"},
        {"-1e999", "650", "Can't!"},
        {"0x10", "650", "Can't!"},
        {"inf", "650", "Can't!"},
        {"120", "", "Can't"},
        {"120", "4a5", "Can't"},         // 4 MB: 4096 KB is less than the sound
        {"120", "2097152", "Can't"},     // too many kilobytes for 32 bits
        {"120", "4194954", "Can't"},     // must not wrap round to about one CD
        {"120", " +1300", "1351.1"},
        {"39", "2893", "10000."},
        {"500", "469", "6.8267e-002"},
    };
    for (const Case& c : cases) {
        m_page->m_editSize.SetWindowText(c.size);
        m_page->m_editLength.SetWindowText(c.length);
        EXPECT_EQ(c.length, Length());
        EXPECT_EQ(c.result, Result()) << "'" << c.length << "' / '" << c.size << "'";
    }
}

TEST_F(CalculatePage, TheResultBoxCannotBeEdited)
{
    const LONG style = ::GetWindowLongA(Item(IDC_RESULT), GWL_STYLE);
    EXPECT_TRUE(style & ES_READONLY);
    Type(IDC_RESULT, "123");
    ::SendMessageA(Item(IDC_RESULT), WM_CHAR, VK_BACK, 1);
    EXPECT_EQ("611.56", Result());
}

}  // namespace
