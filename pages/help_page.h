#pragma once

#include "platform/dialog.h"
#include "platform/edit.h"
#include "res/resource.h"

// The "Help" tab: fixed text in a read-only, scrolling box.
class CHelpPage : public CDialog {
public:
    explicit CHelpPage(CWnd* pParent = nullptr) : CDialog(IDD_HELP_PAGE, pParent) {}

    CEdit m_editHelp;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    static const char* const kHelpText;
};
