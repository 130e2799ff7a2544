// The floor of Kelvane's cold start: a dialog from a one-control template,
// built and linked as kelvane.exe is.
#include <windows.h>

#include "bench/win/bench_ids.h"

namespace {

INT_PTR CALLBACK EmptyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(hWnd, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    ::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_EMPTY), nullptr, EmptyProc, 0);
    return 0;
}
