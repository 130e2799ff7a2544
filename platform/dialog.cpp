#include "platform/dialog.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/win_app.h"
#include "platform/work_area.h"

namespace {

// Dialog-init data: resource type 240 with the template's id. Entries of
// (WORD control id, WORD message, DWORD length, bytes), ended by a zero id.
constexpr WORD kDialogInitType = 240;
// The 16-bit era's CB_ADDSTRING, as the resource stores it: the program's
// dialog-init data holds combo-box rows only.
constexpr WORD kInitComboAddString = 0x0403;

}  // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    // Normally gone already; a modeless dialog whose owner outlived it is not.
    // The derived parts are gone, so its last messages must not reach them.
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        ::SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
        UnbindControls();
        ::DestroyWindow(m_hWnd);
    }
    std::free(m_pBoundControls);
}

void CDialog::AddBoundControl(CWnd& control)
{
    if (m_nBoundControls == m_nBoundCapacity) {
        m_nBoundCapacity = m_nBoundCapacity ? m_nBoundCapacity * 2 : 8;
        void* grown = std::realloc(m_pBoundControls, sizeof(CWnd*) * static_cast<size_t>(m_nBoundCapacity));
        if (!grown)
            std::abort();
        m_pBoundControls = static_cast<CWnd**>(grown);
    }
    m_pBoundControls[m_nBoundControls++] = &control;
}

void CDialog::UnbindControls()
{
    for (int i = 0; i < m_nBoundControls; ++i)
        m_pBoundControls[i]->m_hWnd = nullptr;
    m_nBoundControls = 0;
}

HWND CDialog::TopLevelWindow() const
{
    // GetAncestor(GA_ROOT) would do, but Windows 95 and NT4 do not have it.
    HWND window = m_hWnd;
    while (window && (::GetWindowLongA(window, GWL_STYLE) & WS_CHILD))
        window = ::GetParent(window);
    return window;
}

HWND CDialog::OwnerWindow() const
{
    if (m_pParentWnd)
        return m_pParentWnd->m_hWnd;
    // No parent given: the application's main window owns it, if it is up.
    HWND main = AfxGetMainWindow();
    if (main && main != m_hWnd && ::IsWindow(main))
        return main;
    return ::GetActiveWindow();
}

void CDialog::CenterWindow() const
{
    const HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    // The monitor that holds most of the owner, or the one nearest a hidden
    // or minimised owner.
    const RECT area = WorkAreaNear(owner);
    RECT around = area;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &around);
    const CRect window = GetWindowRect();
    // Centred, then pushed back inside the work area; its top-left corner wins.
    const int x = std::max(
        area.left, std::min((around.left + around.right - window.Width()) / 2, area.right - window.Width()));
    const int y = std::max(area.top, std::min((around.top + around.bottom - window.Height()) / 2,
                                              area.bottom - window.Height()));
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CDialog::FocusFirstInput() const
{
    HWND first = nullptr;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child) || !::IsWindowEnabled(child))
            continue;
        if (::GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP)
            return false;
        if (!first && !(::SendMessageA(child, WM_GETDLGCODE, 0, 0) & DLGC_STATIC))
            first = child;
    }
    if (!first)
        return false;
    ::SetFocus(first);
    // Caret at the start, nothing selected: the text is there to be read.
    if (::SendMessageA(first, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        ::SendMessageA(first, EM_SETSEL, 0, 0);
    return true;
}

INT_PTR CDialog::DoModal()
{
    m_bModal = true;
    INT_PTR result = ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), OwnerWindow(),
                                       DialogProc, reinterpret_cast<LPARAM>(this));
    m_bModal = false;
    return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    m_bModal = false;
    HWND hWnd = ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDTemplate),
                                     pParentWnd ? pParentWnd->m_hWnd : nullptr, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    // A dialog that destroyed itself while initialising may still hand back
    // its (dead) handle: it is gone once WM_NCDESTROY has cleared m_hWnd.
    return hWnd != nullptr && m_hWnd == hWnd;
}

void CDialog::EndDialog(int nResult)
{
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog()
{
    RunDialogInit();
    CDataExchange dx(*this);
    DoDataExchange(&dx);
    if (!dx.Failed())
        return TRUE;
    if (m_bModal)
        EndDialog(-1);
    else
        ::DestroyWindow(m_hWnd);
    return FALSE;
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

void CDialog::OnOK()
{
    if (m_bModal)
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    if (m_bModal)
        EndDialog(IDCANCEL);
}

LRESULT CDialog::Default()
{
    m_bDefaultRequested = true;
    return 0;
}

void CDialog::RunDialogInit()
{
    DWORD size = 0;
    const BYTE* data = LockResourceData(m_nIDTemplate, MAKEINTRESOURCEA(kDialogInitType), &size);
    if (!data)
        return;

    // Every field is bounds-checked: a damaged resource must not read past its end.
    DWORD at = 0;
    while (at + sizeof(WORD) <= size) {
        WORD id, message;
        DWORD length;
        std::memcpy(&id, data + at, sizeof id);
        if (id == 0 || at + 8 > size)
            break;
        std::memcpy(&message, data + at + 2, sizeof message);
        std::memcpy(&length, data + at + 4, sizeof length);
        at += 8;
        if (length > size - at)
            break;
        // The label ends at its zero byte, or at the entry's end if it has none.
        const char* label = reinterpret_cast<const char*>(data + at);
        const CString text(std::string_view(label, strnlen(label, length)));
        at += length;
        if (message == kInitComboAddString)
            ::SendDlgItemMessageA(m_hWnd, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

bool CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM, LRESULT&)
{
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return true;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return true;
        }
    }
    return false;
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return InitialiseAndCentre();
    case WM_SETFOCUS:
        // The dialog manager would focus a page with no tab stop on its group
        // box, where no key does anything.
        if (m_bPage && FocusFirstInput())
            return TRUE;
        break;
    case WM_NEXTDLGCTL:
    case WM_CLOSE:
        // A page is part of the window that holds it: a multi-line box sends
        // its Tab (WM_NEXTDLGCTL) and Escape (WM_CLOSE) to the page, where they
        // would be lost, so they go on to the top-level dialog.
        if (m_bPage) {
            ::SendMessageA(TopLevelWindow(), message, wParam, lParam);
            return TRUE;
        }
        break;
    }
    LRESULT result = 0;
    const bool handled = Dispatch(message, wParam, lParam, result);
    if (message == WM_NCDESTROY) {
        TearDown();
        return FALSE;
    }
    return handled ? DialogResult(message, result) : FALSE;
}

BOOL CDialog::InitialiseAndCentre()
{
    m_bPage = (::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CHILD) != 0;
    // A top-level dialog opens centred, as the platform's own do, unless its
    // initialisation placed it; it is not shown yet.
    const CRect before = GetWindowRect();
    const BOOL result = OnInitDialog();
    if (!m_bPage && m_hWnd) {
        const CRect after = GetWindowRect();
        if (after.left == before.left && after.top == before.top)
            CenterWindow();
    }
    return result;
}

bool CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // Handlers can be re-entered (a write from one handler notifies another):
    // each level keeps its own default request.
    const bool outerDefault = m_bDefaultRequested;
    m_bDefaultRequested = false;
    const bool handled = OnWndMsg(message, wParam, lParam, result) && !m_bDefaultRequested;
    m_bDefaultRequested = outerDefault;
    return handled;
}

void CDialog::TearDown()
{
    UnbindControls();
    ::SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
    m_hWnd = nullptr;
}

INT_PTR CDialog::DialogResult(UINT message, LRESULT result) const
{
    // The one message a map may hold that returns its result directly; all
    // others return it through DWLP_MSGRESULT.
    if (message == WM_QUERYDRAGICON)
        return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    CDialog* self;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        self->m_hWnd = hWnd;
    } else {
        // Messages before WM_INITDIALOG (WM_SETFONT...) get the default.
        self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    }
    return self ? self->HandleMessage(message, wParam, lParam) : FALSE;
}

bool DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control)
{
    control.Attach(pDX->m_dialog.GetDlgItem(nIDC));
    if (control.m_hWnd)
        pDX->m_dialog.AddBoundControl(control);
    return control.m_hWnd != nullptr;
}
