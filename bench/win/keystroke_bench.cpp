// From a keystroke in the length box to the new text in the result box, in
// the real main window and calculator page, against the platform's floor: an
// edit box whose change notification writes another edit box, and the same
// floor with an up-down control bound to the input box, as the length box is.
// Prints the median of each, in microseconds, for a typed digit and for a
// whole text.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "bench/win/bench_ids.h"
#include "res/resource.h"
#include "shell/main_dlg.h"

namespace {

const char* const kFloorTexts[] = {"22059", "17621"};

INT_PTR CALLBACK FloorProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_FLOOR_IN && HIWORD(wParam) == EN_CHANGE) {
        // Each dialog alternates its own output, so every input changes it.
        const LONG_PTR turn = ::GetWindowLongPtrA(hWnd, DWLP_USER);
        ::SetWindowLongPtrA(hWnd, DWLP_USER, turn + 1);
        ::SetWindowTextA(::GetDlgItem(hWnd, IDC_FLOOR_OUT), kFloorTexts[turn & 1]);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

std::string Text(HWND hWnd)
{
    char text[64] = {};
    ::SendMessageA(hWnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

LARGE_INTEGER g_frequency;

double Microseconds(const LARGE_INTEGER& a, const LARGE_INTEGER& b)
{
    return 1e6 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(g_frequency.QuadPart);
}

struct Boxes {
    HWND in, out;
};

// One input into `in`, timed until it returns; the output must have changed by
// then, or the notification chain is not synchronous and the time means nothing.
double Once(const Boxes& b, bool typed, int turn)
{
    const std::string before = Text(b.out);
    LARGE_INTEGER t0, t1;
    if (typed) {
        ::SendMessageA(b.in, EM_SETSEL, 0, -1);
        ::QueryPerformanceCounter(&t0);
        ::SendMessageA(b.in, WM_CHAR, turn & 1 ? '5' : '4', 1);  // 4 and 5 minutes differ
        ::QueryPerformanceCounter(&t1);
    } else {
        ::QueryPerformanceCounter(&t0);
        ::SetWindowTextA(b.in, turn & 1 ? "120" : "90");
        ::QueryPerformanceCounter(&t1);
    }
    if (Text(b.out) == before) {
        std::printf("FAIL: the output box did not change within the input\n");
        std::exit(1);
    }
    Pump();
    return Microseconds(t0, t1);
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 2000;
    ::QueryPerformanceFrequency(&g_frequency);
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&classes);

    // The floors first, so that the main window takes the focus from them and
    // no input box has it: each box then does the same caret work.
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    HWND floor = ::CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_FLOOR), nullptr, FloorProc, 0);
    HWND floorSpin = ::CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_FLOOR_SPIN), nullptr, FloorProc, 0);
    CMainDlg main;
    if (!floor || !floorSpin || !main.Create(IDD_MAIN, nullptr))
        return 1;
    main.ShowWindow(SW_SHOW);
    Pump();
    // The calculator page is the strip's child that holds the length box.
    HWND page = ::GetWindow(main.GetDlgItem(IDC_TABS), GW_CHILD);
    while (page && !::GetDlgItem(page, IDC_LENGTH))
        page = ::GetWindow(page, GW_HWNDNEXT);
    const Boxes program{::GetDlgItem(page, IDC_LENGTH), ::GetDlgItem(page, IDC_RESULT)};
    const Boxes bare{::GetDlgItem(floor, IDC_FLOOR_IN), ::GetDlgItem(floor, IDC_FLOOR_OUT)};
    const Boxes spun{::GetDlgItem(floorSpin, IDC_FLOOR_IN), ::GetDlgItem(floorSpin, IDC_FLOOR_OUT)};

    for (bool typed : {true, false}) {
        std::vector<double> ours, floorTimes, spunTimes;
        // Interleaved, so all see the same machine; the first rounds warm up.
        for (int i = 0; i < rounds + 100; ++i) {
            const double a = Once(program, typed, i), b = Once(bare, typed, i), c = Once(spun, typed, i);
            if (i >= 100) {
                ours.push_back(a);
                floorTimes.push_back(b);
                spunTimes.push_back(c);
            }
        }
        const double p = Median(ours), f = Median(floorTimes), g = Median(spunTimes);
        std::printf("%s program_us=%.1f floor_us=%.1f ratio=%.2f floor_with_spin_us=%.1f\n",
                    typed ? "keystroke" : "settext", p, f, p / f, g);
    }
    ::DestroyWindow(floorSpin);
    ::DestroyWindow(floor);
    ::DestroyWindow(main.m_hWnd);
    return 0;
}
