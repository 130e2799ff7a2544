// The dialog framework against real Win32 windows.
#include <string>
#include <vector>

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/combo_box.h"
#include "platform/dialog.h"
#include "platform/edit.h"
#include "platform/message_map.h"
#include "platform/sound.h"
#include "platform/spin_button_ctrl.h"
#include "platform/subclassed_wnd.h"
#include "platform/wait_cursor.h"
#include "res/resource.h"
#include "test_resources.h"
#include "win_test_util.h"

namespace {

// A dialog that records what reaches its handlers.
class CListsDlg : public CDialog {
public:
    explicit CListsDlg(UINT id = IDD_TEST_LISTS) : CDialog(id) {}

    CComboBox m_comboTest;
    CEdit m_editTest;
    CEdit m_editMissing;
    std::vector<std::string> m_log;
    int m_comboRowsAtInit = -1;
    std::vector<std::string> m_comboRows;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_comboRowsAtInit = m_comboTest.GetCount();
        for (int i = 0; i < m_comboTest.GetCount(); ++i)
            m_comboRows.push_back(m_comboTest.GetLBText(i).str());
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        m_log.push_back("ddx");
        DDX_Control(pDX, IDC_TEST_COMBO, m_comboTest);
        DDX_Control(pDX, IDC_TEST_EDIT, m_editTest);
        DDX_Control(pDX, IDC_TEST_MISSING, m_editMissing);
    }
    void OnChangeEdit() { m_log.push_back("change:" + m_editTest.GetWindowText().str()); }
    void OnSelchangeCombo() { m_log.push_back("selchange"); }
    LRESULT OnUser(WPARAM wParam, LPARAM lParam) { return static_cast<LRESULT>(wParam + lParam); }

    static constexpr MessageEntry<CListsDlg> messageMap[] = {
        OnCommand<&CListsDlg::OnChangeEdit>(EN_CHANGE, IDC_TEST_EDIT),
        OnCommand<&CListsDlg::OnSelchangeCombo>(CBN_SELCHANGE, IDC_TEST_COMBO),
        OnMessage<&CListsDlg::OnUser>(WM_APP),
    };

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        return DispatchMessageMap(messageMap, *this, message, wParam, lParam, result) ||
               CDialog::OnWndMsg(message, wParam, lParam, result);
    }
};

// Counts duplicates at compile time: the same (message, code, id) twice is refused.
struct CDup {
    void A() {}
    void B() {}
};
constexpr MessageEntry<CDup> kDuplicate[] = {OnCommand<&CDup::A>(EN_CHANGE, 5), OnCommand<&CDup::B>(EN_CHANGE, 5)};
constexpr MessageEntry<CDup> kDistinct[] = {OnCommand<&CDup::A>(EN_CHANGE, 5), OnCommand<&CDup::B>(EN_CHANGE, 6),
                                            OnNotify<&CDup::B>(EN_CHANGE, 5)};
static_assert(!IsUniqueMessageMap(kDuplicate));
static_assert(IsUniqueMessageMap(kDistinct));

INT_PTR RunModal(CDialog& dlg, std::deque<std::function<void()>> steps)
{
    return wintest::RunWithSteps([&] { return dlg.DoModal(); }, std::move(steps));
}

TEST(Dialog, DialogInitFillsListsInOrderBeforeBinding)
{
    CListsDlg dlg;
    std::vector<std::string> listRows;
    INT_PTR result = RunModal(dlg, {[&] {
        HWND list = dlg.GetDlgItem(IDC_TEST_LIST);
        for (int i = 0; i < ::SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
            char row[64] = {};
            ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(row));
            listRows.push_back(row);
        }
        dlg.EndDialog(IDOK);
    }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(2, dlg.m_comboRowsAtInit);
    EXPECT_EQ((std::vector<std::string>{"alpha", "beta"}), dlg.m_comboRows);
    EXPECT_EQ((std::vector<std::string>{"list", "raw"}), listRows);
}

TEST(Dialog, DamagedDialogInitStopsAtTheDamage)
{
    CListsDlg dlg(IDD_TEST_DAMAGED);
    RunModal(dlg, {[&] { dlg.EndDialog(IDOK); }});
    EXPECT_EQ((std::vector<std::string>{"ok"}), dlg.m_comboRows);
}

TEST(Dialog, BindsByIdAndUnbindsWhenTheWindowGoes)
{
    CListsDlg dlg;
    bool boundDuringRun = false, missingUnbound = false;
    RunModal(dlg, {[&] {
        boundDuringRun = dlg.m_comboTest.m_hWnd == dlg.GetDlgItem(IDC_TEST_COMBO) &&
                         dlg.m_editTest.m_hWnd == dlg.GetDlgItem(IDC_TEST_EDIT) && dlg.m_editTest.m_hWnd;
        missingUnbound = dlg.m_editMissing.m_hWnd == nullptr;
        dlg.EndDialog(IDOK);
    }});
    EXPECT_TRUE(boundDuringRun);
    EXPECT_TRUE(missingUnbound);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_comboTest.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_editTest.m_hWnd);
    EXPECT_EQ((std::vector<std::string>{"ddx"}), dlg.m_log);
}

TEST(Dialog, DispatchesByMessageCodeAndId)
{
    CListsDlg dlg;
    LRESULT userResult = 0;
    std::vector<std::string> logAfterWrite;
    RunModal(dlg, {[&] {
        dlg.m_log.clear();
        // The change notification arrives before the write returns.
        dlg.m_editTest.SetWindowText("abc");
        logAfterWrite = dlg.m_log;
        // Same code from another control, and another code from this one: no handler.
        ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_TEST_COMBO, EN_CHANGE), 0);
        ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_TEST_EDIT, EN_UPDATE), 0);
        ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_TEST_COMBO, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(dlg.m_comboTest.m_hWnd));
        ::SendMessageA(dlg.m_hWnd, WM_APP, 40, 2);
        userResult = ::GetWindowLongPtrA(dlg.m_hWnd, DWLP_MSGRESULT);
        dlg.EndDialog(IDOK);
    }});
    EXPECT_EQ((std::vector<std::string>{"change:abc"}), logAfterWrite);
    EXPECT_EQ((std::vector<std::string>{"change:abc", "selchange"}), dlg.m_log);
    EXPECT_EQ(42, userResult);
}

TEST(Dialog, OkAndCancelEndTheModalDialogWithTheirResult)
{
    struct Case {
        const char* name;
        std::function<void(HWND)> act;
        INT_PTR expected;
    };
    const Case cases[] = {
        {"OK button", [](HWND h) { wintest::Click(h, IDOK); }, IDOK},
        {"Cancel button", [](HWND h) { wintest::Click(h, IDCANCEL); }, IDCANCEL},
        {"close box", [](HWND h) { ::SendMessageA(h, WM_CLOSE, 0, 0); }, IDCANCEL},
        {"Escape", [](HWND h) { ::SendMessageA(h, WM_COMMAND, IDCANCEL, 0); }, IDCANCEL},
        {"window menu Close", [](HWND h) { ::SendMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
    };
    for (const Case& c : cases) {
        CListsDlg dlg;
        INT_PTR result = RunModal(dlg, {[&] { c.act(dlg.m_hWnd); }});
        EXPECT_EQ(c.expected, result) << c.name;
        EXPECT_FALSE(wintest::WatchdogFired()) << c.name;
        EXPECT_EQ(nullptr, dlg.m_hWnd) << c.name;
    }
}

TEST(Dialog, MissingTemplateFailsInsteadOfShowing)
{
    CListsDlg modal(4321);
    EXPECT_EQ(-1, modal.DoModal());
    CListsDlg modeless(4321);
    EXPECT_FALSE(modeless.Create(4321, nullptr));
    EXPECT_EQ(nullptr, modeless.m_hWnd);
}

TEST(Dialog, ModelessChildLivesWithItsParent)
{
    CListsDlg parent(IDD_TEST_NO_INIT);
    ASSERT_TRUE(parent.Create(IDD_TEST_NO_INIT, nullptr));
    CListsDlg child(IDD_TEST_CHILD);
    ASSERT_TRUE(child.Create(IDD_TEST_CHILD, &parent));
    EXPECT_EQ(parent.m_hWnd, ::GetParent(child.m_hWnd));
    EXPECT_TRUE(::GetWindowLongA(child.m_hWnd, GWL_STYLE) & WS_CHILD);
    // A child's notifications reach the child, not the parent.
    child.m_log.clear();
    parent.m_log.clear();
    child.m_editTest.SetWindowText("x");
    EXPECT_EQ((std::vector<std::string>{"change:x"}), child.m_log);
    EXPECT_TRUE(parent.m_log.empty());
    // Enter and Escape in a modeless dialog do not end or hide it.
    ::SendMessageA(child.m_hWnd, WM_COMMAND, IDOK, 0);
    ::SendMessageA(child.m_hWnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(::IsWindow(child.m_hWnd));

    HWND childWindow = child.m_hWnd;
    ::DestroyWindow(parent.m_hWnd);
    EXPECT_FALSE(::IsWindow(childWindow));
    EXPECT_EQ(nullptr, child.m_hWnd);
    EXPECT_EQ(nullptr, child.m_editTest.m_hWnd);
}

TEST(Dialog, DestroyingTheObjectDestroysALiveModelessWindow)
{
    HWND window = nullptr;
    {
        CListsDlg dlg(IDD_TEST_NO_INIT);
        ASSERT_TRUE(dlg.Create(IDD_TEST_NO_INIT, nullptr));
        window = dlg.m_hWnd;
        EXPECT_TRUE(::IsWindow(window));
    }
    EXPECT_FALSE(::IsWindow(window));
}

// An edit box whose key presses the program sees first.
class CFilterEdit : public CSubclassedWnd<CEdit> {
public:
    std::vector<UINT> m_seen;
    void OnChar(UINT nChar, LPARAM)
    {
        m_seen.push_back(nChar);
        if (nChar != 'x')  // swallow x, pass everything else on
            Default();
    }
    static constexpr MessageEntry<CFilterEdit> messageMap[] = {OnMessage<&CFilterEdit::OnChar>(WM_CHAR)};

protected:
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        return DispatchMessageMap(messageMap, *this, message, wParam, lParam, result);
    }
};

TEST(Subclass, SeesMessagesFirstAndDefaultReachesTheControl)
{
    CListsDlg dlg(IDD_TEST_NO_INIT);
    ASSERT_TRUE(dlg.Create(IDD_TEST_NO_INIT, nullptr));
    HWND edit = dlg.GetDlgItem(IDC_TEST_EDIT);
    WNDPROC original = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(edit, GWLP_WNDPROC));
    CFilterEdit filter;
    ASSERT_TRUE(filter.SubclassWindow(edit));
    EXPECT_FALSE(filter.SubclassWindow(edit));  // one subclass per window
    for (char c : std::string("axb"))
        ::SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(c), 1);
    EXPECT_EQ((std::vector<UINT>{'a', 'x', 'b'}), filter.m_seen);
    EXPECT_EQ("ab", wintest::WindowText(edit));
    // Messages without a handler go straight on to the control.
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("set"));
    EXPECT_EQ("set", wintest::WindowText(edit));

    filter.UnsubclassWindow();
    EXPECT_EQ(original, reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(edit, GWLP_WNDPROC)));
    ::DestroyWindow(dlg.m_hWnd);
}

WNDPROC g_outerSuper = nullptr;
LRESULT CALLBACK OuterProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    return ::CallWindowProcA(g_outerSuper, h, m, w, l);
}

TEST(Subclass, UndoesItselfAtDestructionUnlessSomeoneSubclassedLater)
{
    for (bool subclassedAfterUs : {false, true}) {
        CListsDlg dlg(IDD_TEST_NO_INIT);
        ASSERT_TRUE(dlg.Create(IDD_TEST_NO_INIT, nullptr));
        HWND edit = dlg.GetDlgItem(IDC_TEST_EDIT);
        CFilterEdit filter;
        ASSERT_TRUE(filter.SubclassWindow(edit));
        if (subclassedAfterUs)
            g_outerSuper = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OuterProc)));
        ::SendMessageA(edit, WM_CHAR, 'q', 1);
        ::DestroyWindow(dlg.m_hWnd);
        EXPECT_EQ(nullptr, filter.m_hWnd) << subclassedAfterUs;
        EXPECT_EQ((std::vector<UINT>{'q'}), filter.m_seen) << subclassedAfterUs;
    }
}

TEST(Controls, ComboRowsUseMinusOneForNone)
{
    CListsDlg dlg;
    int none = 0, outOfRange = 0, chosen = -1;
    RunModal(dlg, {[&] {
        none = dlg.m_comboTest.GetCurSel();
        outOfRange = dlg.m_comboTest.SetCurSel(99);
        dlg.m_comboTest.SetCurSel(1);
        chosen = dlg.m_comboTest.GetCurSel();
        dlg.EndDialog(IDOK);
    }});
    EXPECT_EQ(-1, none);
    EXPECT_EQ(-1, outOfRange);
    EXPECT_EQ(1, chosen);
    // Selecting by program raises no selection notification.
    EXPECT_EQ((std::vector<std::string>{"ddx"}), dlg.m_log);
}

TEST(Controls, StringsAndSounds)
{
    CString about;
    EXPECT_TRUE(about.LoadString(IDS_ABOUTBOX));
    EXPECT_EQ("&About Kelvane...", about.str());
    CString missing("stale");
    EXPECT_FALSE(missing.LoadString(4711));
    EXPECT_TRUE(missing.IsEmpty());

    EXPECT_NE(nullptr, FindResourceSound(IDR_ALERT_SOUND));
    EXPECT_EQ(nullptr, FindResourceSound(4711));
    EXPECT_FALSE(PlayResourceSound(4711));
    // With the audio drivers off the sound fails at once, silently.
    const DWORD start = ::GetTickCount();
    PlayResourceSound(IDR_ALERT_SOUND);
    EXPECT_LT(::GetTickCount() - start, 1500u);
}

TEST(Controls, WaitCursorNests)
{
    EXPECT_FALSE(IsWaitCursorShown());
    {
        CWaitCursor outer;
        BeginWaitCursor();
        EndWaitCursor();
        EXPECT_TRUE(IsWaitCursorShown());
    }
    EXPECT_FALSE(IsWaitCursorShown());
    EndWaitCursor();  // unmatched: harmless
    BeginWaitCursor();
    EXPECT_TRUE(IsWaitCursorShown());
    EndWaitCursor();
    EXPECT_FALSE(IsWaitCursorShown());
}

}  // namespace
