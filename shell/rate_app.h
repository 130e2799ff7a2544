#pragma once

#include "platform/win_app.h"

class CRateApp : public CWinApp {
public:
    CRateApp() : CWinApp(nullptr) {}
    BOOL InitInstance() override;
};
