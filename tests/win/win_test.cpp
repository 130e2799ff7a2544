// The program's windows in this process under Wine: the framework's contracts
// and what only the inside can see. Controls are read with their own messages.
#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "pages/calculate_page.h"
#include "pages/help_page.h"
#include "platform/subclassed_wnd.h"
#include "shell/main_dlg.h"
#include "res/version.h"
#include "tests/model/number_reference.h"
#include "native_texts.h"

namespace {

std::string Text(HWND h)
{
    char text[8000] = {};
    return ::SendMessageA(h, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), text;
}
void SetText(HWND h, const std::string& s)
{
    ::SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

// A combo box's (or list box's) rows, joined by '|'.
std::string Rows(HWND box, UINT getCount = CB_GETCOUNT, UINT getText = CB_GETLBTEXT)
{
    std::string rows;
    char row[64];
    for (int i = 0; i < ::SendMessageA(box, getCount, 0, 0); ++i)
        rows +=
            (i ? "|" : "") + std::string(row, ::SendMessageA(box, getText, i, reinterpret_cast<LPARAM>(row)));
    return rows;
}

#ifdef __i386__
// The x87 control word as a static initialiser finds it: 53-bit, to nearest, exceptions masked.
const unsigned short g_startControl = [] {
    unsigned short control;
    __asm__("fnstcw %0" : "=m"(control));
    return control;
}();
TEST(Start, X87At53BitsRoundingToNearest)
{
    EXPECT_EQ(0x27f, g_startControl);
}
#endif

// The number sweep's sample on this build's arithmetic against the model built for the build machine.
TEST(Model, SweepSampleAsOnTheBuildMachine)
{
    EXPECT_EQ(kNativeTexts, HashTiesAndTyped(kSampleFirst, kSampleStride));
}

WNDPROC g_super;
LRESULT CALLBACK Outer(HWND h, UINT m, WPARAM w, LPARAM l)
{
    return ::CallWindowProcA(g_super, h, m, w, l);
}

TEST(Framework, DialogInitDataAndSubclassing)
{
    CDialog lists(900), damaged(901);
    ASSERT_TRUE(lists.Create(900, nullptr) && damaged.Create(901, nullptr));
    EXPECT_EQ("alpha|beta", Rows(lists.GetDlgItem(9001)));
    EXPECT_EQ("list|raw", Rows(lists.GetDlgItem(9002), LB_GETCOUNT, LB_GETTEXT));
    EXPECT_EQ("ok", Rows(damaged.GetDlgItem(9001)));
    // A subclass undoes itself only while it is on top.
    HWND edit = lists.GetDlgItem(9003);
    const LONG_PTR original = ::GetWindowLongPtrA(edit, GWLP_WNDPROC),
                   outer = reinterpret_cast<LONG_PTR>(&Outer);
    CSubclassedWnd<CEdit> ours;
    for (bool subclassedAfterUs : {false, true}) {
        ASSERT_TRUE(ours.SubclassWindow(edit));
        if (subclassedAfterUs)
            g_super = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(edit, GWLP_WNDPROC, outer));
        ours.UnsubclassWindow();
        EXPECT_EQ(subclassedAfterUs ? outer : original, ::GetWindowLongPtrA(edit, GWLP_WNDPROC));
    }
}

const BYTE* Resource(int id, LPCSTR type)
{
    return static_cast<const BYTE*>(
        ::LockResource(::LoadResource(nullptr, ::FindResourceA(nullptr, MAKEINTRESOURCEA(id), type))));
}

TEST(Resources, IconsPicturesSoundVersionAndAboutTexts)
{
    for (auto [id, size] : {std::pair{IDR_MAINFRAME, 32},
                            {IDR_MAINFRAME, 16},
                            {IDI_SIZE, 32},
                            {IDI_LENGTH, 32},
                            {IDI_RESULT, 32},
                            {IDI_AUDIO, 32}}) {
        const int image = ::LookupIconIdFromDirectoryEx(const_cast<BYTE*>(Resource(id, RT_GROUP_ICON)), TRUE,
                                                        size, size, 0);
        const auto* bits = reinterpret_cast<const BITMAPINFOHEADER*>(Resource(image, RT_ICON));
        ASSERT_TRUE(bits) << id << " at " << size;
        EXPECT_EQ((std::vector<LONG>{size, 2 * size, 4}),
                  (std::vector<LONG>{bits->biWidth, bits->biHeight, bits->biBitCount}))
            << id;
    }
    for (auto [id, width, height] : {std::tuple{IDB_BANNER, 175, 30}, {IDB_ABOUT, 250, 100}}) {
        BITMAP info{};
        ::GetObjectA(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0,
                                  LR_CREATEDIBSECTION),
                     sizeof info, &info);
        EXPECT_EQ((std::vector<LONG>{width, height, 24}),
                  (std::vector<LONG>{info.bmWidth, info.bmHeight, info.bmBitsPixel}))
            << id;
    }
    const BYTE* wave =
        Resource(IDR_ALERT_SOUND, "sound");  // PCM, mono, 22050 per second, 8 bits, 38885 bytes
    const auto* format = reinterpret_cast<const PCMWAVEFORMAT*>(wave + 20);
    EXPECT_EQ(
        (std::vector<DWORD>{WAVE_FORMAT_PCM, 1, 22050, 8, 38885}),
        (std::vector<DWORD>{format->wf.wFormatTag, format->wf.nChannels, format->wf.nSamplesPerSec,
                            format->wBitsPerSample, *reinterpret_cast<const DWORD*>(wave + 24 + wave[16])}));
    const auto* fixed =
        reinterpret_cast<const VS_FIXEDFILEINFO*>(Resource(1, RT_VERSION) + 40);  // after the root's header
    const DWORD version = MAKELONG(KELVANE_VERSION_MINOR, KELVANE_VERSION_MAJOR);
    EXPECT_EQ((std::vector<DWORD>{version, 0, version, 0}),
              (std::vector<DWORD>{fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                                  fixed->dwProductVersionLS}));
    CDialog about(IDD_ABOUTBOX);
    ASSERT_TRUE(about.Create(IDD_ABOUTBOX, nullptr));
    std::string texts;
    for (HWND child = ::GetWindow(about.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        texts += Text(child) + "|";
    EXPECT_EQ(0u, texts.find("Version " KELVANE_VERSION "\n(c) ")) << texts;
    EXPECT_NE(std::string::npos, texts.find("|Thank you for using this program!\n\nIt has been tested on "
                                            "Win9x, NT4 and 2000\n\nAuthor E-Mail: "));
}

// The real main window, modeless and in front, with its pages.
class MainWindow : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_main.Create(IDD_MAIN, nullptr) && ::SetForegroundWindow(m_main.m_hWnd));
    }
    CDialog& Page(int i) { return *m_main.m_tabPages.m_pPages[i]; }
    HWND Item(int id) { return Page(id == IDC_HELP_TEXT).GetDlgItem(id); }
    CMainDlg m_main;
};

TEST_F(MainWindow, NotificationsReachTheirOwnFormByCodeAndIdAndLongTextsAreReadWhole)
{
    CMainDlg other;
    ASSERT_TRUE(other.Create(IDD_MAIN, nullptr));
    SetText(Item(IDC_RESULT), "stale");
    for (WPARAM command : {MAKEWPARAM(IDC_RESULT, EN_CHANGE), MAKEWPARAM(IDC_LENGTH, EN_UPDATE),
                           MAKEWPARAM(IDC_LENGTH, CBN_SELCHANGE)})
        ::SendMessageA(Page(0).m_hWnd, WM_COMMAND, command, 0);
    EXPECT_EQ("stale", Text(Item(IDC_RESULT)));
    const std::string blanks(5000, ' ');
    const struct {
        std::string length, size;
        const char* result;
    } cases[] = {
        {"90", "650", "858.07"}, {blanks + "90", "650", "858.07"}, {"120", blanks + "1300", "1351.1"}};
    for (const auto& c : cases) {
        SetText(Item(IDC_SIZE), c.size);
        SetText(Item(IDC_LENGTH), c.length);
        EXPECT_EQ(c.result, Text(Item(IDC_RESULT))) << c.length.size() << "/" << c.size.size();
    }
    EXPECT_EQ("611.56", Text(other.m_tabPages.m_pPages[0]->GetDlgItem(IDC_RESULT)));
    CWnd box;
    box.Attach(Item(IDC_RESULT));
    for (std::string s; s.size() <= 5000; s += static_cast<char>('a' + s.size() % 26))
        if (s.size() < 66 || s.size() == 5000) {  // around the first read's buffer, and far beyond
            SetText(box.m_hWnd, s);
            EXPECT_EQ(s, box.GetWindowText().c_str()) << s.size();
        }
}

HWND g_aboutOwner;
void CALLBACK CloseAbout(HWND, UINT, UINT_PTR, DWORD)
{
    HWND about = ::FindWindowA(nullptr, "About Kelvane");
    if (about && ::GetWindowThreadProcessId(about, nullptr) == ::GetCurrentThreadId()) {
        g_aboutOwner = ::GetWindow(about, GW_OWNER);
        ::PostMessageA(about, WM_COMMAND, IDOK, 0);
    }
}

TEST_F(MainWindow, WindowMenuIconsAndAboutBox)
{
    HMENU menu = ::GetSystemMenu(m_main.m_hWnd, FALSE);
    const int last = ::GetMenuItemCount(menu) - 1;
    char text[64] = {};
    EXPECT_STREQ("&About Kelvane...", (::GetMenuStringA(menu, last, text, sizeof text, MF_BYPOSITION), text));
    EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), ::GetMenuItemID(menu, last));
    EXPECT_TRUE(::GetMenuState(menu, last - 1, MF_BYPOSITION) & MF_SEPARATOR);
    ASSERT_NE(nullptr, m_main.m_hIcon);
    for (UINT m : {WM_QUERYDRAGICON, WM_GETICON})
        for (WPARAM which : {ICON_BIG, ICON_SMALL})
            EXPECT_EQ(reinterpret_cast<LRESULT>(m_main.m_hIcon), ::SendMessageA(m_main.m_hWnd, m, which, 0))
                << m;
    // The About box, owned by the main window: the low four bits of a window-menu command are the platform's
    // own.
    const struct {
        WPARAM command;
        bool about, minimised;
    } cases[] = {{IDM_ABOUTBOX, true, false},
                 {IDM_ABOUTBOX | 0xF, true, false},
                 {0x20, false, false},
                 {SC_MINIMIZE, false, true}};
    for (const auto& c : cases) {
        g_aboutOwner = nullptr;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, CloseAbout);
        ::SendMessageA(m_main.m_hWnd, WM_SYSCOMMAND, c.command, 0);
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(c.about ? m_main.m_hWnd : nullptr, g_aboutOwner) << c.command;
        EXPECT_EQ(c.minimised, ::IsIconic(m_main.m_hWnd) != 0) << c.command;
    }
}

POINT g_paintOrigin;
LRESULT CALLBACK NotePaintOrigin(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_ICONERASEBKGND)
        ::GetDCOrgEx(reinterpret_cast<HDC>(w), &g_paintOrigin);
    return ::CallWindowProcA(g_super, h, m, w, l);
}
RECT Ink(HDC dc, int w, int h)  // the box around the dark pixels
{
    RECT box{}, pixel;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((::GetPixel(dc, x, y) & 0x808080) == 0 && ::SetRect(&pixel, x, y, x + 1, y + 1))
                ::UnionRect(&box, &box, &pixel);
    return box;
}

TEST_F(MainWindow, MinimisedItDrawsItsIconCentred)
{
    // Wine gives a minimised window no client area: the window is only marked minimised (what IsIconic
    // reads), its controls hidden, to see where the icon lands. Wine paints it from its top left corner.
    HWND main = m_main.m_hWnd;
    for (HWND child = ::GetWindow(main, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        ::ShowWindow(child, SW_HIDE);
    g_super = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NotePaintOrigin)));
    ::SetWindowLongA(main, GWL_STYLE, ::GetWindowLongA(main, GWL_STYLE) | WS_MINIMIZE);
    RECT client;
    ::GetClientRect(main, &client);
    ::RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_FALSE(::GetUpdateRect(main, nullptr, FALSE));  // the paint validated it
    HDC window = ::GetDC(main), reference = ::CreateCompatibleDC(window);
    const RECT drawn = Ink(window, client.right, client.bottom);
    const int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
    ::SelectObject(reference, ::CreateCompatibleBitmap(window, cx, cy));
    ::PatBlt(reference, 0, 0, cx, cy, WHITENESS);
    ::DrawIcon(reference, 0, 0, m_main.m_hIcon);
    RECT icon = Ink(reference, cx, cy);
    ::ScreenToClient(main, &g_paintOrigin);
    ::OffsetRect(&icon, g_paintOrigin.x + (client.right - cx + 1) / 2,
                 g_paintOrigin.y + (client.bottom - cy + 1) / 2);
    EXPECT_TRUE(::EqualRect(&icon, &drawn))
        << "icon at " << drawn.left << "," << drawn.top << ", not " << icon.left << "," << icon.top << " in "
        << client.right << "x" << client.bottom;
}

TEST_F(MainWindow, TabsPagesTextsAndClosing)
{
    HWND strip = m_main.m_tabPages.m_hWnd;
    RECT client, tab, page;
    ::GetClientRect(strip, &client);
    ::SendMessageA(strip, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    const RECT area{tab.left, tab.bottom + 1, client.right - 1, client.bottom - 1};
    for (int i = 0; i < 2; ++i) {
        char label[32] = {};
        TCITEMA item{TCIF_TEXT, 0, 0, label, sizeof label, 0, 0};
        ::SendMessageA(strip, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(i ? "Help" : "Calculate", label);
        ::GetWindowRect(Page(i).m_hWnd, &page);
        ::MapWindowPoints(nullptr, strip, reinterpret_cast<POINT*>(&page), 2);
        EXPECT_TRUE(::EqualRect(&area, &page))
            << i << ": " << page.left << "," << page.top << "," << page.right;
        EXPECT_EQ(i == 0, ::IsWindowVisible(Page(i).m_hWnd) != 0) << i;
    }
    static const char help[] =
        "Some help information:\r\n\r\nThis program will calculate the bitrate to use when encoding a DivX "
        "video.\r\n\r\nPlease use the Low-Motion codec and MP3 for the audio.\r\n\r\n1 CD = 650MB = "
        "665600KB\r\n\r\n"
        "Remember that if you choose to encode a video at the bitrate this program tells you, the final file "
        "might "
        "not be as big as you specify.\r\n\r\nWhy?\r\n\r\nThe DivX codec uses a switching bitrate throughout "
        "the whole "
        "videoconversion, which makes it impossible to know the exact bitrate to use before encoding.\r\n\r\n"
        "This program only calculates the bitrate as if it would be used through the whole video.\r\n\r\n"
        "If this information is incorrect, please let me know!\r\n\r\nYou must have a quite new MFC42.dll "
        "version to "
        "run this program. I don't exactly know what version that is required. Works with version "
        "6.00.8168.0 - "
        "6.0.8665.0, doesn't work with version 4.2.6860.\r\n\r\nLegal Stuff:\r\n\r\nYou may run this program "
        "at your "
        "own risk! If it completely destroys your computer or something like that, don't blame me! I have "
        "not added "
        "any functions into this program that is harmful to your computer, but if you get a virus when "
        "running this "
        "program, as I mentioned before:\r\nDON'T BLAME ME!";
    static_assert(sizeof help == 1154 + 1);
    EXPECT_EQ(help, Text(Item(IDC_HELP_TEXT)));
    EXPECT_EQ("1 CD|2 CDs|3 CDs|4 CDs", Rows(Item(IDC_DISCS)));
    std::string audio;
    for (int kbit : {320, 256, 224, 192, 160, 128, 112, 96, 64, 56})
        audio += (audio.empty() ? "" : "|") + std::to_string(kbit) + " kBit/sec, Stereo - " +
                 std::to_string(kbit / 8) + "kb/sec";
    EXPECT_EQ(audio, Rows(Item(IDC_AUDIO)));
    // A modeless page ignores OK and Cancel; closing unbinds every window.
    for (WPARAM command : {IDOK, IDCANCEL})
        ::SendMessageA(Page(0).m_hWnd, WM_COMMAND, command, 0);
    EXPECT_TRUE(::IsWindowVisible(Page(0).m_hWnd));
    auto& calculator = static_cast<CCalculatePage&>(Page(0));
    auto& helpPage = static_cast<CHelpPage&>(Page(1));
    ::DestroyWindow(m_main.m_hWnd);
    for (const CWnd* w : std::initializer_list<const CWnd*>{
             &m_main, &m_main.m_tabPages, &calculator, &calculator.m_editLength, &calculator.m_comboAudio,
             &helpPage, &helpPage.m_editHelp})
        EXPECT_EQ(nullptr, w->m_hWnd);
}

HCURSOR g_wait;
std::atomic<bool> g_stop;
std::atomic<DWORD> g_firstBusy, g_lastBusy;
DWORD WINAPI WatchCursor(void*)
{
    // Under Wine this is the foreground thread's cursor: the one the user sees.
    for (CURSORINFO info{sizeof info, 0, nullptr, {}}; !g_stop; ::Sleep(1))
        if (::GetCursorInfo(&info) && info.hCursor == g_wait && (g_lastBusy = ::GetTickCount()) &&
            !g_firstBusy)
            g_firstBusy = g_lastBusy.load();
    return 0;
}

TEST_F(MainWindow, TheSpecialLengthHoldsTheFormForItsSoundUnderTheBusyCursor)
{
    ASSERT_GT(::waveOutGetNumDevs(), 0u) << "no sound device: tools/wine-env.sh gives Wine a silent one";
    ASSERT_EQ(m_main.m_hWnd, ::GetForegroundWindow());
    // The sound's length from its header (RIFF, WAVE, fmt chunk, data chunk): data bytes / bytes per second.
    const auto* wave = static_cast<const BYTE*>(::LockResource(
        ::LoadResource(nullptr, ::FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_ALERT_SOUND), "SOUND"))));
    const DWORD soundMs = ::MulDiv(*reinterpret_cast<const DWORD*>(wave + 24 + wave[16]), 1000,
                                   reinterpret_cast<const DWORD*>(wave)[7]);
    g_wait = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32514));  // IDC_WAIT
    HANDLE watcher = ::CreateThread(nullptr, 0, WatchCursor, nullptr, 0, nullptr);
    const DWORD start = ::GetTickCount();
    SetText(Item(IDC_LENGTH), "666");
    const DWORD took = ::GetTickCount() - start;
    g_stop = true;
    ::WaitForSingleObject(watcher, INFINITE);
    // Wine's silent device plays about three times faster than real time.
    EXPECT_GE(took, soundMs / 8) << "the sound (" << soundMs << " ms) was not waited for";
    EXPECT_GE(g_lastBusy - g_firstBusy, soundMs / 10) << "the busy cursor was not shown while it played";
    EXPECT_NE(g_wait, ::GetCursor()) << "busy cursor left on";
    EXPECT_EQ("120", Text(Item(IDC_LENGTH)));
    EXPECT_EQ("Try Again!", Text(Item(IDC_RESULT)));
}

}  // namespace

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&classes);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
