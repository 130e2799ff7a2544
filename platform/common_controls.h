#pragma once

#include <windows.h>

// Registers the common control classes the templates use (ICC_* flags).
// Common controls 4.70 and later have InitCommonControlsEx; Windows 95 and
// NT4 as shipped (4.00) register every class with InitCommonControls.
void InitCommonControlClasses(DWORD classes);
