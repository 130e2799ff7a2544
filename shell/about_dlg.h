#pragma once

#include "platform/dialog.h"
#include "res/resource.h"

// The About box: its OK button ends it.
class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
