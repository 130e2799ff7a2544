#pragma once

#include "platform/win_app.h"

class CRateApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
