#pragma once

#include <windows.h>

#include "platform/wnd.h"

class CDialog;

// Binds controls to member objects by id during a dialog's data exchange.
class CDataExchange {
public:
    explicit CDataExchange(CDialog& dialog) : m_dialog(dialog) {}
    // A binding the dialog cannot work without failed: the dialog ends.
    void Fail() { m_bFailed = true; }
    bool Failed() const { return m_bFailed; }

    CDialog& m_dialog;

private:
    bool m_bFailed = false;
};

// A dialog built from a template in the program's resources, modal (DoModal)
// or a modeless child (Create). The object must outlive its window.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog modally; its EndDialog result, or -1 if it could not be built.
    INT_PTR DoModal();
    // Builds a modeless child dialog of pParentWnd.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd);
    void EndDialog(int nResult);

    // Base: fills lists from the template's dialog-init data, then binds the
    // controls (DoDataExchange). TRUE: the platform sets the initial focus.
    // FALSE: a binding failed and the dialog is ending (DoModal gives -1,
    // Create FALSE); a derived class then returns FALSE at once.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    // Modal: end the dialog with IDOK / IDCANCEL. Modeless: nothing.
    virtual void OnOK();
    virtual void OnCancel();

    // The platform's own handling of the message being handled. In a dialog
    // that handling runs after the handler returns.
    LRESULT Default();

    // Called by DDX_Control: remembered so the binding ends with the window.
    void AddBoundControl(CWnd& control);

protected:
    // Derived classes dispatch their message map here; false: not handled.
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The steps of HandleMessage.
    BOOL InitialiseAndCentre();
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void TearDown();
    INT_PTR DialogResult(UINT message, LRESULT result) const;
    HWND OwnerWindow() const;
    HWND TopLevelWindow() const;
    // On the owner while it shows, else on the work area of the owner's
    // monitor; inside that work area.
    void CenterWindow() const;
    // A page without tab stops: the focus to its first control that is not
    // static. False: the page has a tab stop or no such control.
    bool FocusFirstInput() const;
    void RunDialogInit();
    void UnbindControls();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    bool m_bModal = false;
    // A child dialog inside another window (a tab's page), known from WM_INITDIALOG.
    bool m_bPage = false;
    bool m_bDefaultRequested = false;
    // The controls DDX_Control attached: a plain growing array, which can fail
    // only by ending the program.
    CWnd** m_pBoundControls = nullptr;
    int m_nBoundControls = 0;
    int m_nBoundCapacity = 0;
};

// Attaches a control view to the dialog's control with that id. A control
// that is not there stays unbound (null handle) and the result is false.
bool DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control);
