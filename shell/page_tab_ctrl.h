#pragma once

#include <array>
#include <memory>

#include "platform/dialog.h"
#include "platform/message_map.h"
#include "platform/subclassed_wnd.h"
#include "platform/tab_ctrl.h"

// The main window's tab strip: owns the two pages, creates them as its
// children, lays them out under the tabs and shows the one whose tab the
// user presses with the mouse.
class CPageTabCtrl : public CMessageMapImpl<CPageTabCtrl, CSubclassedWnd<CTabCtrl>> {
public:
    CPageTabCtrl();

    // Tab i shows page i: the calculator, then the help text.
    std::array<std::unique_ptr<CDialog>, 2> m_pPages;
    int m_nCurrentPage = 0;
    int m_nPageCount;

    // False when a page could not be created.
    bool Init();
    void SetRectangle();
    void OnLButtonDown(UINT nFlags, CPoint point);
    // True while the control handles a mouse press: the one time its
    // selection may change.
    bool IsPressing() const { return m_bPressing; }

    static constexpr MessageEntry<CPageTabCtrl> messageMap[] = {
        OnMessage<WM_LBUTTONDOWN, &CPageTabCtrl::OnLButtonDown>(),
    };

private:
    bool m_bPressing = false;
};
