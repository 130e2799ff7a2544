// The program's windows in this process under Wine: the framework's contracts
// and what only the inside can see. Controls are read with their own messages.
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "pages/calculate_page.h"
#include "pages/help_page.h"
#include "platform/common_controls.h"
#include "platform/subclassed_wnd.h"
#include "platform/win_app.h"
#include "shell/main_dlg.h"
#include "tests/model/number_reference.h"
#include "tests/win/native_texts.h"

namespace {

std::string Text(HWND h)
{
    char text[8000] = {};
    ::SendMessageA(h, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void SetText(HWND h, const std::string& s)
{
    ::SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

// A combo box's rows, each followed by '|'.
std::string Rows(HWND box)
{
    std::string rows;
    char row[64];
    for (int i = 0; i < ::SendMessageA(box, CB_GETCOUNT, 0, 0); ++i)
        rows += std::string(row, ::SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(row))) + "|";
    return rows;
}

// A dialog's caption, then each label's and button's text, in template order.
std::string Labels(HWND dialog)
{
    std::string texts = Text(dialog);
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char kind[16] = {};
        ::GetClassNameA(child, kind, sizeof kind);
        const LONG image = ::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK;
        const bool label = !lstrcmpiA(kind, "Static") && image != SS_ICON && image != SS_BITMAP;
        if ((label || !lstrcmpiA(kind, "Button")) && !Text(child).empty())
            texts += "|" + Text(child);
    }
    return texts;
}

#ifdef __i386__
const unsigned short g_startControl = [] {  // the x87 control word as a static initialiser finds it
    unsigned short control;
    __asm__("fnstcw %0" : "=m"(control));
    return control;
}();
#endif

// The number sweep's sample on this build's arithmetic against the model built for the build machine.
TEST(Numbers, AsOnTheBuildMachine)
{
#ifdef __i386__
    EXPECT_EQ(0x27f, g_startControl) << "the x87 unit at 53 bits, rounding to nearest, from the start";
#endif
    EXPECT_EQ(kNativeTexts, HashTiesAndTyped(kSampleFirst, kSampleStride));
}

WNDPROC g_underOuter;
LRESULT CALLBACK Outer(HWND h, UINT m, WPARAM w, LPARAM l)
{
    return ::CallWindowProcA(g_underOuter, h, m, w, l);
}

// Binds a control that is not in its template: a subclass that cannot happen.
struct CUnboundDialog : CDialog {
    using CDialog::CDialog;
    CSubclassedWnd<CWnd> m_missing;
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (!DDX_Control(pDX, 9999, m_missing))
            pDX->Fail();
    }
};

TEST(Framework, SubclassingAndFailedBinding)
{
    CDialog about(IDD_ABOUTBOX);
    ASSERT_TRUE(about.Create(IDD_ABOUTBOX, nullptr));
    // A subclass undoes itself only while it is on top.
    HWND button = about.GetDlgItem(IDOK);
    const LONG_PTR original = ::GetWindowLongPtrA(button, GWLP_WNDPROC),
                   outer = reinterpret_cast<LONG_PTR>(&Outer);
    CSubclassedWnd<CWnd> ours;
    for (bool subclassedAfterUs : {false, true}) {
        ASSERT_TRUE(ours.SubclassWindow(button));
        if (subclassedAfterUs)
            g_underOuter = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(button, GWLP_WNDPROC, outer));
        ours.UnsubclassWindow();
        EXPECT_EQ(subclassedAfterUs ? outer : original, ::GetWindowLongPtrA(button, GWLP_WNDPROC))
            << subclassedAfterUs;
    }
    // A binding that fails ends the dialog, and its caller hears of it.
    CUnboundDialog unbound(IDD_ABOUTBOX);
    EXPECT_FALSE(unbound.Create(IDD_ABOUTBOX, nullptr));
    EXPECT_EQ(-1, unbound.DoModal());
}

TEST(Resources, TheVersionRecordSaysOnePointNought)
{
    const auto* fixed =
        reinterpret_cast<const VS_FIXEDFILEINFO*>(LockResourceData(1, RT_VERSION) + 40);  // after the root
    EXPECT_TRUE(fixed->dwFileVersionMS == 0x10000 && fixed->dwProductVersionMS == 0x10000)
        << fixed->dwFileVersionMS;
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

TEST_F(MainWindow, NotificationsByCodeAndIdAndTextsReadWhole)
{
    // Only a handler's own code from its own control evaluates, and writes over the result.
    const struct {
        int id, code;
        bool evaluates;
    } cases[] = {{IDC_RESULT, EN_CHANGE, false},
                 {IDC_LENGTH, EN_UPDATE, false},
                 {IDC_LENGTH, CBN_SELCHANGE, false},
                 {IDC_LENGTH, EN_CHANGE, true},
                 {IDC_AUDIO, CBN_SELCHANGE, true}};
    for (const auto& c : cases) {
        SetText(Item(IDC_RESULT), "stale");
        ::SendMessageA(Page(0).m_hWnd, WM_COMMAND, MAKEWPARAM(c.id, c.code), 0);
        EXPECT_EQ(c.evaluates, Text(Item(IDC_RESULT)) != "stale") << c.id << " " << c.code;
    }
    CWnd box;
    box.Attach(Item(IDC_RESULT));
    for (std::string s; s.size() <= 5000; s += static_cast<char>('a' + s.size() % 26))
        if (s.size() < 66 || s.size() == 5000) {  // around the first read's buffer, and far beyond
            SetText(box.m_hWnd, s);
            EXPECT_EQ(s, box.GetWindowText().c_str()) << s.size();
        }
}

TEST_F(MainWindow, FixedTextsAsTheyAreShown)
{
    std::string main = Labels(m_main.m_hWnd);
    for (int i = 0; i < 2; ++i) {
        char label[32] = {};
        TCITEMA item{TCIF_TEXT, 0, 0, label, sizeof label, 0, 0};
        ::SendMessageA(m_main.m_tabPages.m_hWnd, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        main += "|" + std::string(label);
    }
    HMENU menu = ::GetSystemMenu(m_main.m_hWnd, FALSE);
    char entry[64] = {};
    ::GetMenuStringA(menu, ::GetMenuItemCount(menu) - 1, entry, sizeof entry, MF_BYPOSITION);
    CDialog about(IDD_ABOUTBOX);
    ASSERT_TRUE(about.Create(IDD_ABOUTBOX, nullptr));
    const std::string aboutTexts = Labels(about.m_hWnd);
    // Hashes of the texts the program must show word for word, joined by '|'.
    const struct {
        const char* what;
        std::string texts;
        std::uint32_t hash;
    } cases[] = {
        {"caption, buttons, tabs, menu entry", main + "|" + entry, 0x17423f90},
        {"calculator labels in z-order", Labels(Page(0).m_hWnd), 0x4fe964fc},
        {"list rows", Rows(Item(IDC_DISCS)) + Rows(Item(IDC_AUDIO)), 0x26db04f5},
        {"About caption and button", Text(about.m_hWnd) + "|" + Text(about.GetDlgItem(IDOK)), 0x0fb7282f},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.hash, Fnv1a<std::uint32_t>(c.texts)) << c.what << ": " << c.texts;
    // The About box: its version, and the systems it names.
    EXPECT_NE(std::string::npos, aboutTexts.find("|Version 1.0\n")) << aboutTexts;
    EXPECT_NE(std::string::npos, aboutTexts.find("\n\nIt has been tested on Win9x, NT4 and 2000\n\n"))
        << aboutTexts;
}

// A dialog that places itself as it initialises.
struct CSelfPlacedDialog : CDialog {
    using CDialog::CDialog;
    BOOL OnInitDialog() override
    {
        SetWindowPos(nullptr, 3, 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return CDialog::OnInitDialog();
    }
};

TEST_F(MainWindow, TopLevelDialogsOpenCentredInsideTheWorkArea)
{
    RECT area, owner, about;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const auto centred = [](const RECT& r, const RECT& on) {
        return std::abs(r.left + r.right - on.left - on.right) <= 4 &&
               std::abs(r.top + r.bottom - on.top - on.bottom) <= 4;
    };
    ASSERT_TRUE(::GetWindowRect(m_main.m_hWnd, &owner) && centred(owner, area))
        << "the main window has no owner";
    // On its owner while the owner shows, else on the work area; never past the work area's edges.
    const struct {
        int show, x, y;
        bool onOwner;
    } cases[] = {{SW_SHOWNORMAL, 500, 300, true},
                 {SW_SHOWNORMAL, -250, -250, false},
                 {SW_MINIMIZE, 500, 300, false},
                 {SW_HIDE, 500, 300, false}};
    for (const auto& c : cases) {
        ::ShowWindow(m_main.m_hWnd, SW_SHOWNORMAL);
        m_main.SetWindowPos(nullptr, c.x, c.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ::GetWindowRect(m_main.m_hWnd, &owner);
        ::ShowWindow(m_main.m_hWnd, c.show);
        CDialog box(IDD_ABOUTBOX, &m_main);
        ASSERT_TRUE(box.Create(IDD_ABOUTBOX, &m_main) && ::GetWindowRect(box.m_hWnd, &about));
        EXPECT_TRUE(c.onOwner ? centred(about, owner)
                    : c.x < 0 ? about.left == area.left && about.top == area.top
                              : centred(about, area))
            << c.show << " at " << c.x << ": " << about.left << "," << about.top;
    }
    CSelfPlacedDialog placed(IDD_ABOUTBOX);
    ASSERT_TRUE(placed.Create(IDD_ABOUTBOX, &m_main) && ::GetWindowRect(placed.m_hWnd, &about));
    EXPECT_TRUE(about.left == 3 && about.top == 4) << "a dialog that placed itself stays";
}

// Needs two 1024x768 monitors side by side (KELVANE_MONITORS=2, tools/wine-run.sh).
TEST_F(MainWindow, OnTwoMonitorsAboutOpensInsideTheMonitorThatHoldsMostOfItsWindow)
{
    MONITORINFO right{sizeof right, {}, {}, 0};
    RECT owner, about, &work = right.rcWork;
    ASSERT_TRUE(::GetMonitorInfoA(::MonitorFromPoint({1024, 0}, MONITOR_DEFAULTTONULL), &right) &&
                right.rcMonitor.left == 1024 && ::GetWindowRect(m_main.m_hWnd, &owner));
    EXPECT_LE(std::abs(owner.left + owner.right - 1024), 4) << "the main window opens on the left";
    // Wholly on the right: centred on it; past its bottom right: in the corner; mostly on it: at its left.
    for (const POINT at : {POINT{1300, 200}, POINT{1900, 500}, POINT{2100, 500}, POINT{880, 100}}) {
        m_main.SetWindowPos(nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        CDialog box(IDD_ABOUTBOX, &m_main);
        ASSERT_TRUE(::GetWindowRect(m_main.m_hWnd, &owner) && box.Create(IDD_ABOUTBOX, &m_main) &&
                    ::GetWindowRect(box.m_hWnd, &about));
        EXPECT_TRUE(at.x == 1300 ? std::abs(about.left + about.right - owner.left - owner.right) <= 4 &&
                                       std::abs(about.top + about.bottom - owner.top - owner.bottom) <= 4
                    : at.x >= 1900 ? about.right == work.right && about.bottom == work.bottom
                                   : about.left == work.left && about.top >= work.top)
            << "About at " << about.left << "," << about.top << " for its window at " << at.x << "," << at.y;
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

int IconWidth(HICON icon)
{
    ICONINFO info{};
    BITMAP mask{};
    ::GetIconInfo(icon, &info);
    ::GetObjectA(info.hbmMask, sizeof mask, &mask);
    return mask.bmWidth;  // its two bitmaps live as long as the test
}

TEST_F(MainWindow, WindowMenuIconsAndAboutBox)
{
    HMENU menu = ::GetSystemMenu(m_main.m_hWnd, FALSE);
    const int last = ::GetMenuItemCount(menu) - 1;
    EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), ::GetMenuItemID(menu, last));
    EXPECT_TRUE(::GetMenuState(menu, last - 1, MF_BYPOSITION) & MF_SEPARATOR);
    // Each icon at the size the system asks for.
    HICON big = reinterpret_cast<HICON>(::SendMessageA(m_main.m_hWnd, WM_GETICON, ICON_BIG, 0));
    HICON small = reinterpret_cast<HICON>(::SendMessageA(m_main.m_hWnd, WM_GETICON, ICON_SMALL, 0));
    ASSERT_TRUE(big && small);
    EXPECT_EQ(reinterpret_cast<LRESULT>(big), ::SendMessageA(m_main.m_hWnd, WM_QUERYDRAGICON, 0, 0));
    EXPECT_EQ(::GetSystemMetrics(SM_CXICON), IconWidth(big));
    EXPECT_EQ(::GetSystemMetrics(SM_CXSMICON), IconWidth(small));
    // The About box, owned by the main window: the low four bits of a window-menu command are the platform's
    // own.
    const struct {
        WPARAM command;
        bool about, minimised;
    } cases[] = {{IDM_ABOUTBOX | 0xF, true, false}, {0x20, false, false}, {SC_MINIMIZE, false, true}};
    for (const auto& c : cases) {
        g_aboutOwner = nullptr;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, CloseAbout);
        ::SendMessageA(m_main.m_hWnd, WM_SYSCOMMAND, c.command, 0);
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(c.about ? m_main.m_hWnd : nullptr, g_aboutOwner) << c.command;
        EXPECT_EQ(c.minimised, ::IsIconic(m_main.m_hWnd) != 0) << c.command;
    }
}

TEST_F(MainWindow, PagesUnderTheTabsAndUnboundWhenClosed)
{
    HWND strip = m_main.m_tabPages.m_hWnd;
    RECT client, tab, page[2];
    ::GetClientRect(strip, &client);
    ::SendMessageA(strip, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
    for (int i = 0; i < 2; ++i) {
        ::GetWindowRect(Page(i).m_hWnd, &page[i]);
        ::MapWindowPoints(nullptr, strip, reinterpret_cast<POINT*>(&page[i]), 2);
        RECT inside;
        EXPECT_TRUE(::IntersectRect(&inside, &page[i], &client) && ::EqualRect(&inside, &page[i])) << i;
        EXPECT_GT(page[i].top, tab.bottom) << i;
        EXPECT_EQ(i == 0, ::IsWindowVisible(Page(i).m_hWnd) != 0) << i;
    }
    EXPECT_TRUE(::EqualRect(&page[0], &page[1]));
    // Closing unbinds every window.
    auto& calculator = static_cast<CCalculatePage&>(Page(0));
    auto& helpPage = static_cast<CHelpPage&>(Page(1));
    ::DestroyWindow(m_main.m_hWnd);
    const CWnd* const bound[] = {&m_main,   &m_main.m_tabPages,  &calculator, &calculator.m_editLength,
                                 &helpPage, &helpPage.m_editHelp};
    for (const CWnd* w : bound)
        EXPECT_EQ(nullptr, w->m_hWnd);
}

// Each form picture's pixels in the text colour scheme[1] as its window shows them; -1 if the face left of it
// isn't scheme[0].
std::vector<int> Ink(HWND page, const COLORREF* scheme)
{
    ::RedrawWindow(page, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);  // what waits to be painted
    std::vector<int> ink;
    const HDC dc = ::GetDC(page);
    RECT r;
    for (HWND w = ::FindWindowExA(page, nullptr, "Static", nullptr); w;
         w = ::FindWindowExA(page, w, "Static", nullptr)) {
        if ((::GetWindowLongA(w, GWL_STYLE) & SS_TYPEMASK) != SS_ICON || !::GetWindowRect(w, &r))
            continue;
        ::MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
        ink.push_back(::GetPixel(dc, r.left - 1, r.top) == scheme[0] ? 0 : -1);
        for (int y = r.top; y < r.bottom && ink.back() >= 0; ++y)
            for (int x = r.left; x < r.right; ++x)
                ink.back() += ::GetPixel(dc, x, y) == scheme[1];
    }
    ::ReleaseDC(page, dc);
    return ink;
}

// The pictures in the text colour of the scheme a window opens under and of each it changes to, which the
// main window passes on to its pages. The standard colours are put back.
TEST_F(MainWindow, PicturesInTheTextColourOfEachScheme)
{
    const int parts[] = {COLOR_BTNFACE, COLOR_BTNTEXT};
    const COLORREF standard[] = {::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNTEXT)},
                   black[] = {RGB(0, 0, 0), RGB(255, 255, 255)};
    const std::vector<int> plain = Ink(Page(0).m_hWnd, standard);
    CMainDlg opened;  // under black, then changed with the other
    for (const COLORREF* scheme : {black, standard, black, standard}) {
        ::SetSysColors(2, parts, scheme);
        ASSERT_TRUE(opened.m_hWnd || opened.Create(IDD_MAIN, nullptr));
        for (CMainDlg* main : {&m_main, &opened})
            EXPECT_EQ(plain, Ink(main->m_tabPages.m_pPages[0]->m_hWnd, scheme)) << "face " << scheme[0];
    }
    EXPECT_TRUE(plain.size() == 4 && *std::min_element(plain.begin(), plain.end()) > 0);
}

HCURSOR g_cursorAtReset;
WNDPROC g_resultBox;
LRESULT CALLBACK NoteCursor(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_SETTEXT && !lstrcmpA(reinterpret_cast<const char*>(l), "Try Again!"))
        g_cursorAtReset = ::GetCursor();
    return ::CallWindowProcA(g_resultBox, h, m, w, l);
}

TEST_F(MainWindow, TheSpecialLengthWaitsForItsSoundUnderTheBusyCursor)
{
    ASSERT_GT(::waveOutGetNumDevs(), 0u) << "no sound device: tools/wine-env.sh gives Wine a silent one";
    // The sound's length from its header (RIFF, WAVE, fmt chunk, data chunk): data bytes / bytes per second.
    const BYTE* wave = LockResourceData(IDR_ALERT_SOUND, "SOUND");
    const DWORD soundMs = ::MulDiv(*reinterpret_cast<const DWORD*>(wave + 24 + wave[16]), 1000,
                                   reinterpret_cast<const DWORD*>(wave)[7]);
    HCURSOR wait = ::LoadCursorA(nullptr, IDC_WAIT);
    const HCURSOR before = ::GetCursor();
    g_resultBox = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(Item(IDC_RESULT), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NoteCursor)));
    const DWORD start = ::GetTickCount();
    SetText(Item(IDC_LENGTH), "666");
    const DWORD took = ::GetTickCount() - start;
    // Wine's silent device plays about three times faster than real time.
    EXPECT_GE(took, soundMs / 8) << "the sound (" << soundMs << " ms) was not waited for";
    EXPECT_EQ(wait, g_cursorAtReset) << "no busy cursor while the form is reset";
    EXPECT_EQ(before, ::GetCursor()) << "the busy cursor was left on";
}

}  // namespace

int main(int argc, char** argv)
{
    InitCommonControlClasses(ICC_TAB_CLASSES | ICC_UPDOWN_CLASS);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
