// The program's windows in this process under Wine: the framework's contracts
// and what only the inside can see. Controls are read with their own messages.
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>

#include "pages/calculate_page.h"
#include "pages/help_page.h"
#include "platform/subclassed_wnd.h"
#include "shell/main_dlg.h"

namespace {

std::string Text(HWND h)
{
    std::string s(::SendMessageA(h, WM_GETTEXTLENGTH, 0, 0) + 1, '\0');
    s.resize(::SendMessageA(h, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data())));
    return s;
}
void SetText(HWND h, const std::string& s) { ::SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.c_str())); }

// A combo box's or list box's rows, joined by '|'.
std::string Rows(HWND box, UINT getCount, UINT getText)
{
    std::string rows;
    for (int i = 0; i < ::SendMessageA(box, getCount, 0, 0); ++i) {
        char row[64] = {};
        ::SendMessageA(box, getText, i, reinterpret_cast<LPARAM>(row));
        rows += (i ? "|" : "") + std::string(row);
    }
    return rows;
}

BOOL CALLBACK MatchId(HWND h, LPARAM found)
{
    auto* want = reinterpret_cast<HWND*>(found);
    if (::GetDlgCtrlID(h) != static_cast<int>(reinterpret_cast<INT_PTR>(*want)))
        return TRUE;
    *want = h;
    return FALSE;
}
HWND Find(HWND root, int id)  // a control anywhere under root
{
    HWND found = reinterpret_cast<HWND>(static_cast<INT_PTR>(id));
    return ::EnumChildWindows(root, MatchId, reinterpret_cast<LPARAM>(&found)) ? nullptr : found;
}

// A form of the test resources that logs what reaches its handlers.
class CTestDlg : public CMessageMapImpl<CTestDlg, CDialog> {
public:
    explicit CTestDlg(UINT id) : CMessageMapImpl(id) {}
    CComboBox m_combo;
    CEdit m_edit, m_missing;
    std::string m_log;
    void DoDataExchange(CDataExchange* pDX) override
    {
        m_log += "rows:" + std::to_string(::SendDlgItemMessageA(m_hWnd, 9001, CB_GETCOUNT, 0, 0)) + " ";
        DDX_Control(pDX, 9001, m_combo);
        DDX_Control(pDX, 9003, m_edit);
        DDX_Control(pDX, 9099, m_missing);
    }
    void OnChange() { m_log += "change:" + std::string(m_edit.GetWindowText().c_str()) + " "; }
    void OnSelchange() { m_log += "selchange "; }
    void OnSetFont() { m_log += "setfont "; }
    LRESULT OnUser(WPARAM w, LPARAM l) { return static_cast<LRESULT>(w + l); }
    static constexpr MessageEntry<CTestDlg> messageMap[] = {
        OnCommand<&CTestDlg::OnChange>(EN_CHANGE, 9003), OnCommand<&CTestDlg::OnSelchange>(CBN_SELCHANGE, 9001),
        OnMessage<&CTestDlg::OnSetFont>(WM_SETFONT), OnMessage<&CTestDlg::OnUser>(WM_APP)};
};

TEST(Framework, DialogInitFillsListsBeforeBindingAndStopsAtDamage)
{
    const struct { UINT id; const char *log, *combo, *list; } cases[] = {
        {900, "rows:2 ", "alpha|beta", "list|raw"}, {901, "rows:1 ", "ok", ""}};
    for (const auto& c : cases) {
        CTestDlg dlg(c.id);
        ASSERT_TRUE(dlg.Create(c.id, nullptr));
        EXPECT_EQ(c.log, dlg.m_log);  // nothing (WM_SETFONT) reached the object before WM_INITDIALOG
        EXPECT_EQ(c.combo, Rows(dlg.GetDlgItem(9001), CB_GETCOUNT, CB_GETLBTEXT));
        EXPECT_EQ(c.list, Rows(dlg.GetDlgItem(9002), LB_GETCOUNT, LB_GETTEXT));
    }
}

TEST(Framework, EachWindowReachesItsOwnObjectByCodeAndIdAndUnbindsAtTheEnd)
{
    CTestDlg a(900), b(900);
    ASSERT_TRUE(a.Create(900, nullptr) && b.Create(900, nullptr));
    EXPECT_EQ(a.GetDlgItem(9001), a.m_combo.m_hWnd);
    EXPECT_EQ(a.GetDlgItem(9003), a.m_edit.m_hWnd);
    EXPECT_EQ(nullptr, a.m_missing.m_hWnd);
    a.m_log = b.m_log = "";
    a.m_edit.SetWindowText("abc");
    ::SendMessageA(a.m_hWnd, WM_COMMAND, MAKEWPARAM(9001, EN_CHANGE), 0);  // another control's code
    ::SendMessageA(a.m_hWnd, WM_COMMAND, MAKEWPARAM(9003, EN_UPDATE), 0);  // another code of this control
    ::SendMessageA(a.m_hWnd, WM_COMMAND, MAKEWPARAM(9001, CBN_SELCHANGE), 0);
    EXPECT_EQ("change:abc selchange ", a.m_log);
    EXPECT_EQ("", b.m_log);
    EXPECT_EQ(42, ::SendMessageA(a.m_hWnd, WM_APP, 40, 2));
    ::DestroyWindow(a.m_hWnd);
    EXPECT_EQ(nullptr, a.m_hWnd);
    EXPECT_EQ(nullptr, a.m_combo.m_hWnd);
    EXPECT_EQ(nullptr, a.m_edit.m_hWnd);
}

class CFilterEdit : public CMessageMapImpl<CFilterEdit, CSubclassedWnd<CEdit>> {
public:
    void OnChar(UINT nChar, LPARAM)
    {
        if (nChar != 'x')  // swallowed
            Default();
    }
    static constexpr MessageEntry<CFilterEdit> messageMap[] = {OnMessage<&CFilterEdit::OnChar>(WM_CHAR)};
};
WNDPROC g_super;
LRESULT CALLBACK Outer(HWND h, UINT m, WPARAM w, LPARAM l) { return ::CallWindowProcA(g_super, h, m, w, l); }

TEST(Framework, SubclassSeesMessagesFirstAndUndoesItselfOnlyWhileOnTop)
{
    for (bool subclassedAfterUs : {false, true}) {
        CTestDlg dlg(900);
        ASSERT_TRUE(dlg.Create(900, nullptr));
        HWND edit = dlg.GetDlgItem(9003);
        const LONG_PTR original = ::GetWindowLongPtrA(edit, GWLP_WNDPROC);
        CFilterEdit filter;
        ASSERT_TRUE(filter.SubclassWindow(edit));
        if (subclassedAfterUs)
            g_super = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Outer)));
        for (char c : {'a', 'x', 'b'})
            ::SendMessageA(edit, WM_CHAR, c, 1);
        EXPECT_EQ("ab", Text(edit));
        filter.UnsubclassWindow();
        EXPECT_EQ(subclassedAfterUs ? reinterpret_cast<LONG_PTR>(&Outer) : original, ::GetWindowLongPtrA(edit, GWLP_WNDPROC));
    }
}

// The real main window, modeless, in front: the pages as the user has them.
class MainWindow : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_main.Create(IDD_MAIN, nullptr));
        ::SetForegroundWindow(m_main.m_hWnd);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
    }
    HWND Item(int id) const { return Find(m_main.m_hWnd, id); }
    CDialog& Page(int i) { return *m_main.m_tabPages.m_pPages[i]; }
    CMainDlg m_main;
};

HWND g_about, g_aboutOwner;
void CALLBACK CloseAbout(HWND, UINT, UINT_PTR, DWORD)
{
    HWND about = ::FindWindowA(nullptr, "About Kelvane");
    if (about && ::GetWindowThreadProcessId(about, nullptr) == ::GetCurrentThreadId()) {
        g_about = about;
        g_aboutOwner = ::GetWindow(about, GW_OWNER);
        ::PostMessageA(about, WM_COMMAND, IDOK, 0);
    }
}

TEST_F(MainWindow, WindowMenuIconsAndAboutBox)
{
    HMENU menu = ::GetSystemMenu(m_main.m_hWnd, FALSE);
    const int last = ::GetMenuItemCount(menu) - 1;
    char text[64] = {};
    ::GetMenuStringA(menu, last, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("&About Kelvane...", text);
    EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), ::GetMenuItemID(menu, last));
    EXPECT_TRUE(::GetMenuState(menu, last - 1, MF_BYPOSITION) & MF_SEPARATOR);
    ASSERT_NE(nullptr, m_main.m_hIcon);
    const auto icon = reinterpret_cast<LRESULT>(m_main.m_hIcon);
    for (UINT m : {WM_QUERYDRAGICON, WM_GETICON})
        for (WPARAM which : {ICON_BIG, ICON_SMALL})
            EXPECT_EQ(icon, ::SendMessageA(m_main.m_hWnd, m, which, 0)) << m << " " << which;

    // The low four bits of a window-menu command are the platform's own.
    const struct { WPARAM command; bool about, minimised; } cases[] = {
        {IDM_ABOUTBOX, true, false}, {IDM_ABOUTBOX | 0xF, true, false}, {0x20, false, false}, {SC_MINIMIZE, false, true}};
    for (const auto& c : cases) {
        g_about = g_aboutOwner = nullptr;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, CloseAbout);
        ::SendMessageA(m_main.m_hWnd, WM_SYSCOMMAND, c.command, 0);
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(c.about, g_about != nullptr) << c.command;
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

// The box around what draw() puts on a white w x h canvas.
template <class Draw>
RECT Ink(int w, int h, Draw draw)
{
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    DWORD* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all{0, 0, w, h}, box{w, h, 0, 0};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    draw(dc);
    ::GdiFlush();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((bits[y * w + x] & 0x808080) == 0)
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                       std::max<LONG>(box.bottom, y + 1)};
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return box;
}

TEST_F(MainWindow, MinimisedItDrawsItsIconCentred)
{
    // Wine gives a minimised window no client area: the window is only marked
    // minimised (what IsIconic reads), with its controls hidden, to see where
    // the icon lands. Wine paints a minimised window from its top left corner.
    HWND main = m_main.m_hWnd;
    for (HWND child = ::GetWindow(main, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        ::ShowWindow(child, SW_HIDE);
    g_super = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NotePaintOrigin)));
    ::SetWindowLongA(main, GWL_STYLE, ::GetWindowLongA(main, GWL_STYLE) | WS_MINIMIZE);
    ASSERT_TRUE(::IsIconic(main));
    RECT client;
    ::GetClientRect(main, &client);
    ::RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_FALSE(::GetUpdateRect(main, nullptr, FALSE));  // the paint validated it
    HDC screen = ::GetDC(main);
    const RECT drawn = Ink(client.right, client.bottom,
                           [&](HDC dc) { ::BitBlt(dc, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY); });
    ::ReleaseDC(main, screen);
    const int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
    RECT icon = Ink(cx, cy, [&](HDC dc) { ::DrawIcon(dc, 0, 0, m_main.m_hIcon); });
    ::ScreenToClient(main, &g_paintOrigin);
    ::OffsetRect(&icon, g_paintOrigin.x + (client.right - cx + 1) / 2, g_paintOrigin.y + (client.bottom - cy + 1) / 2);
    EXPECT_TRUE(::EqualRect(&icon, &drawn)) << "icon at " << drawn.left << "," << drawn.top << ", not "
                                            << icon.left << "," << icon.top << " in " << client.right << "x" << client.bottom;
}

TEST_F(MainWindow, TabsAndThePagesUnderThem)
{
    HWND strip = m_main.m_tabPages.m_hWnd;
    RECT client, tab;
    ::GetClientRect(strip, &client);
    ::SendMessageA(strip, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    const RECT area{tab.left, tab.bottom + 1, client.right - 1, client.bottom - 1};
    EXPECT_EQ(2, ::SendMessageA(strip, TCM_GETITEMCOUNT, 0, 0));
    const char* labels[] = {"Calculate", "Help"};
    for (int i = 0; i < 2; ++i) {
        char text[32] = {};
        TCITEMA item{TCIF_TEXT, 0, 0, text, sizeof text, 0, 0};
        ::SendMessageA(strip, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(labels[i], text);
        RECT r;
        ::GetWindowRect(Page(i).m_hWnd, &r);
        ::MapWindowPoints(nullptr, strip, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(::EqualRect(&area, &r)) << i << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        EXPECT_EQ(i == 0, ::IsWindowVisible(Page(i).m_hWnd) != 0) << i;
    }
}

TEST_F(MainWindow, HelpTextListLabelsLimitsAndRanges)
{
    static const char help[] =
        "Some help information:\r\n\r\nThis program will calculate the bitrate to use when encoding a DivX "
        "video.\r\n\r\nPlease use the Low-Motion codec and MP3 for the audio.\r\n\r\n1 CD = 650MB = 665600KB\r\n\r\n"
        "Remember that if you choose to encode a video at the bitrate this program tells you, the final file might "
        "not be as big as you specify.\r\n\r\nWhy?\r\n\r\nThe DivX codec uses a switching bitrate throughout the whole "
        "videoconversion, which makes it impossible to know the exact bitrate to use before encoding.\r\n\r\n"
        "This program only calculates the bitrate as if it would be used through the whole video.\r\n\r\n"
        "If this information is incorrect, please let me know!\r\n\r\nYou must have a quite new MFC42.dll version to "
        "run this program. I don't exactly know what version that is required. Works with version 6.00.8168.0 - "
        "6.0.8665.0, doesn't work with version 4.2.6860.\r\n\r\nLegal Stuff:\r\n\r\nYou may run this program at your "
        "own risk! If it completely destroys your computer or something like that, don't blame me! I have not added "
        "any functions into this program that is harmful to your computer, but if you get a virus when running this "
        "program, as I mentioned before:\r\nDON'T BLAME ME!";
    static_assert(sizeof help == 1154 + 1);
    EXPECT_EQ(help, Text(Item(IDC_HELP_TEXT)));
    EXPECT_EQ("1 CD|2 CDs|3 CDs|4 CDs", Rows(Item(IDC_DISCS), CB_GETCOUNT, CB_GETLBTEXT));
    std::string audio;
    for (int kbit : {320, 256, 224, 192, 160, 128, 112, 96, 64, 56})
        audio += (audio.empty() ? "" : "|") + std::to_string(kbit) + " kBit/sec, Stereo - " + std::to_string(kbit / 8) + "kb/sec";
    EXPECT_EQ(audio, Rows(Item(IDC_AUDIO), CB_GETCOUNT, CB_GETLBTEXT));

    const struct { int id; UINT message; int low, high; } settings[] = {{IDC_LENGTH, EM_GETLIMITTEXT, 0, 3},
        {IDC_SIZE, EM_GETLIMITTEXT, 0, 4}, {IDC_LENGTH_SPIN, UDM_GETRANGE32, 1, 500}, {IDC_SIZE_SPIN, UDM_GETRANGE32, 1, 9000}};
    for (const auto& s : settings) {
        int low = 0, high = 0;
        const LRESULT limit = ::SendMessageA(Item(s.id), s.message, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(s.low, low) << s.id;
        EXPECT_EQ(s.high, s.message == EM_GETLIMITTEXT ? limit : high) << s.id;
    }
}

TEST_F(MainWindow, LongTextsAreReadWhole)
{
    CWnd box;
    box.Attach(Item(IDC_RESULT));
    for (size_t n : {0, 62, 63, 64, 5000}) {  // around the first read's buffer, and far beyond
        std::string s(n, ' ');
        for (size_t i = 0; i < n; ++i)
            s[i] = static_cast<char>('a' + i % 26);
        SetText(box.m_hWnd, s);
        EXPECT_EQ(s, box.GetWindowText().c_str()) << n;
    }
    const struct { std::string length, size; const char* result; } cases[] = {
        {std::string(5000, ' ') + "90", "650", "858.07"}, {"120", std::string(5000, ' ') + "1300", "1351.1"}};
    for (const auto& c : cases) {
        SetText(Item(IDC_SIZE), c.size);
        SetText(Item(IDC_LENGTH), c.length);
        EXPECT_EQ(c.result, Text(Item(IDC_RESULT)));
    }
}

HCURSOR g_wait;
std::atomic<bool> g_stop;
std::atomic<DWORD> g_firstBusy, g_lastBusy;
DWORD WINAPI WatchCursor(void*)
{
    // Under Wine this is the foreground thread's cursor: the one the user sees.
    for (CURSORINFO info{sizeof info, 0, nullptr, {}}; !g_stop; ::Sleep(1))
        if (::GetCursorInfo(&info) && info.hCursor == g_wait) {
            g_lastBusy = ::GetTickCount();
            if (!g_firstBusy)
                g_firstBusy = g_lastBusy.load();
        }
    return 0;
}

TEST_F(MainWindow, TheSpecialLengthHoldsTheFormForItsSoundUnderTheBusyCursor)
{
    ASSERT_GT(::waveOutGetNumDevs(), 0u) << "no sound device: tools/wine-env.sh gives Wine a silent one";
    ASSERT_EQ(m_main.m_hWnd, ::GetForegroundWindow());
    // The sound's length from its wave header: data bytes / bytes per second.
    HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_ALERT_SOUND), "SOUND");
    const BYTE* wave = static_cast<const BYTE*>(::LockResource(::LoadResource(nullptr, found)));
    ASSERT_NE(nullptr, wave);
    DWORD format, perSecond, bytes;
    std::memcpy(&format, wave + 16, 4);
    std::memcpy(&perSecond, wave + 28, 4);
    std::memcpy(&bytes, wave + 24 + format, 4);
    const DWORD soundMs = ::MulDiv(bytes, 1000, perSecond);

    g_wait = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32514));  // IDC_WAIT
    g_stop = false;
    g_firstBusy = g_lastBusy = 0;
    HANDLE watcher = ::CreateThread(nullptr, 0, WatchCursor, nullptr, 0, nullptr);
    ::Sleep(20);
    const DWORD start = ::GetTickCount();
    SetText(Item(IDC_LENGTH), "666");
    const DWORD took = ::GetTickCount() - start;
    ::Sleep(20);
    g_stop = true;
    ::WaitForSingleObject(watcher, INFINITE);
    ::CloseHandle(watcher);
    // Wine's silent device takes the sound about three times faster than real time.
    EXPECT_GE(took, soundMs / 8) << "the sound (" << soundMs << " ms) was not waited for";
    EXPECT_GE(g_lastBusy - g_firstBusy, soundMs / 10) << "busy cursor shown for too short a time, if at all";
    EXPECT_NE(g_wait, ::GetCursor()) << "busy cursor left on";
    EXPECT_EQ("120", Text(Item(IDC_LENGTH)));
    EXPECT_EQ("Try Again!", Text(Item(IDC_RESULT)));
}

TEST_F(MainWindow, PagesIgnoreOkAndCancelAndClosingUnbindsEverything)
{
    for (WPARAM command : {IDOK, IDCANCEL})
        ::SendMessageA(Page(0).m_hWnd, WM_COMMAND, command, 0);
    EXPECT_TRUE(::IsWindowVisible(Page(0).m_hWnd));
    auto& calculator = static_cast<CCalculatePage&>(Page(0));
    auto& help = static_cast<CHelpPage&>(Page(1));
    ::DestroyWindow(m_main.m_hWnd);
    for (const CWnd* w : {static_cast<CWnd*>(&m_main), static_cast<CWnd*>(&m_main.m_tabPages), static_cast<CWnd*>(&calculator),
                          static_cast<CWnd*>(&calculator.m_editLength), static_cast<CWnd*>(&calculator.m_comboAudio),
                          static_cast<CWnd*>(&help), static_cast<CWnd*>(&help.m_editHelp)})
        EXPECT_EQ(nullptr, w->m_hWnd);
}

}  // namespace

int main(int argc, char** argv)
{
    // As the program's start-up does.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&classes);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
