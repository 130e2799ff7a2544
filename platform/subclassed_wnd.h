#pragma once

#include <windows.h>

#include "platform/dialog.h"
#include "platform/wnd.h"

// A control whose messages the program sees before the control does:
// Base is the control's view class (CTabCtrl...). The previous window
// procedure stays available as Default(), and the subclass undoes itself
// when the window is destroyed.
template <class Base>
class CSubclassedWnd : public Base {
public:
    CSubclassedWnd() = default;
    virtual ~CSubclassedWnd() { UnsubclassWindow(); }
    CSubclassedWnd(const CSubclassedWnd&) = delete;
    CSubclassedWnd& operator=(const CSubclassedWnd&) = delete;

    bool SubclassWindow(HWND hWnd);
    bool SubclassDlgItem(int nID, const CWnd& parent) { return SubclassWindow(parent.GetDlgItem(nID)); }
    void UnsubclassWindow();

    // The previous window procedure's handling of the current message.
    LRESULT Default() { return ::CallWindowProcA(m_pfnSuper, this->m_hWnd, m_message, m_wParam, m_lParam); }

protected:
    // Derived classes dispatch their message map here; false: not handled.
    virtual bool OnWndMsg(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static constexpr const char* kThisProperty = "Kelvane.CSubclassedWnd";

    WNDPROC m_pfnSuper = nullptr;
    UINT m_message = 0;
    WPARAM m_wParam = 0;
    LPARAM m_lParam = 0;
};

template <class Base>
bool CSubclassedWnd<Base>::SubclassWindow(HWND hWnd)
{
    if (!hWnd || this->m_hWnd || ::GetPropA(hWnd, kThisProperty))
        return false;
    ::SetPropA(hWnd, kThisProperty, this);
    this->m_hWnd = hWnd;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CSubclassedWnd::WindowProc)));
    return true;
}

template <class Base>
void CSubclassedWnd<Base>::UnsubclassWindow()
{
    HWND hWnd = this->m_hWnd;
    if (!hWnd)
        return;
    // Someone may have subclassed after us: only restore if we are still on top.
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == &CSubclassedWnd::WindowProc)
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    ::RemovePropA(hWnd, kThisProperty);
    this->m_hWnd = nullptr;
}

template <class Base>
LRESULT CALLBACK CSubclassedWnd<Base>::WindowProc(HWND hWnd, UINT message, WPARAM wParam,
                                                  LPARAM lParam) noexcept
{
    auto* self = static_cast<CSubclassedWnd*>(::GetPropA(hWnd, kThisProperty));
    if (!self)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);

    if (message == WM_NCDESTROY) {
        WNDPROC super = self->m_pfnSuper;
        self->UnsubclassWindow();
        return ::CallWindowProcA(super, hWnd, message, wParam, lParam);
    }

    // Nested messages (sent from inside a handler) keep the outer one's Default().
    const UINT outerMessage = self->m_message;
    const WPARAM outerWParam = self->m_wParam;
    const LPARAM outerLParam = self->m_lParam;
    self->m_message = message;
    self->m_wParam = wParam;
    self->m_lParam = lParam;
    LRESULT result = 0;
    if (!self->OnWndMsg(message, wParam, lParam, result))
        result = self->Default();
    self->m_message = outerMessage;
    self->m_wParam = outerWParam;
    self->m_lParam = outerLParam;
    return result;
}

// Binding a control that has its own message map subclasses it, so the
// program sees its messages first. False: the control is missing or already
// subclassed by another object, and its handlers will never run.
template <class Base>
[[nodiscard]] bool DDX_Control(CDataExchange* pDX, int nIDC, CSubclassedWnd<Base>& control)
{
    return control.SubclassDlgItem(nIDC, pDX->m_dialog);
}
