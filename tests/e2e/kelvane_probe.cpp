// Reads the running Kelvane from outside for tools/e2e.sh, which drives it with the X pointer and keyboard.
// Documented API only (messages whose data Wine carries across processes, window and focus queries), never
// the program's memory: an i686 program emulated by qemu is out of its reach.
//   kelvane_probe get KEY... | expect [--timeout=MS] KEY=VALUE... | strip FROM TO
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>

#include "res/form_icons.h"
#include "res/resource.h"
#include "tests/model/number_reference.h"

namespace {

HWND frame, tabs, calc, help;  // the main window, its tab strip and pages, found afresh for each reading

// Each control's id, the window that holds it and its name.
enum In { kMain, kCalculator, kHelp, kOnTop };  // on top: the About box or a message box
const std::tuple<int, In, const char*> kControls[] = {{IDCANCEL, kMain, "exit"},
                                                      {IDC_ABOUT, kMain, "about"},
                                                      {IDC_TABS, kMain, "tabs"},
                                                      {IDC_LENGTH, kCalculator, "length"},
                                                      {IDC_DISCS, kCalculator, "discs"},
                                                      {IDC_SIZE, kCalculator, "size"},
                                                      {IDC_AUDIO, kCalculator, "sound"},
                                                      {IDC_RESULT, kCalculator, "result"},
                                                      {IDC_LENGTH_SPIN, kCalculator, "length_spin"},
                                                      {IDC_SIZE_SPIN, kCalculator, "size_spin"},
                                                      {IDC_HELP_TEXT, kHelp, "help"},
                                                      {IDOK, kOnTop, "about_ok"},
                                                      {0xFFFF, kOnTop, "message"}};

// GetWindowText of another process's box answers "": ask the window (a drop-down list answers its row).
std::string Text(HWND w)
{
    wchar_t wide[8192] = L"";
    ::SendMessageTimeoutW(w, WM_GETTEXT, 8192, reinterpret_cast<LPARAM>(wide), SMTO_NORMAL, 5000, nullptr);
    char text[8192] = "";
    ::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

void Find()
{
    frame = ::FindWindowA("#32770", "Kelvane");  // top-level captions are known to every process
    tabs = ::GetDlgItem(frame, IDC_TABS);
    calc = nullptr;
    help = nullptr;
    for (HWND page = ::FindWindowExA(tabs, nullptr, "#32770", nullptr); page;
         page = ::FindWindowExA(tabs, page, "#32770", nullptr))
        (::GetDlgItem(page, IDC_LENGTH) ? calc : help) = page;
}

HWND Parent(In in)
{
    return in == kOnTop ? ::GetLastActivePopup(frame) : std::array{frame, calc, help}[in];
}

std::string Name(HWND w)
{
    for (const auto& [id, in, name] : kControls)
        if (w && ::GetDlgItem(Parent(in), id) == w)
            return name;
    return ::IsChild(help, w) ? "help page" : "other";
}

// The form at this DPI: each label's and push button's text (group boxes have none) in the font the dialog
// manager makes inside its control; each icon no taller than its 20-unit box, left of the labels (45 units),
// apart from the one above and the largest image drawn that does so. The misfits, then how many fit.
std::string Layout(HWND box)
{
    const HDC dc = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
    const HGDIOBJ font = ::SelectObject(dc, ::CreateFontA(-::MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
                                                          0, 0, 0, 0, 0, "MS Sans Serif"));
    SIZE letters{};  // the dialog manager's base units: the letters' mean width, the font's height
    ::GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    const int labels = ::MulDiv(45, (letters.cx / 26 + 1) / 2, 4), high = ::MulDiv(20, letters.cy, 8);
    const auto size = [](const RECT& r) {
        return std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
    };
    std::string misfits;
    int fit = 0, above = 0;  // the bottom of the icon above
    for (HWND parent : {frame, calc, box})
        for (HWND w = ::GetWindow(parent, GW_CHILD); parent && w; w = ::GetWindow(w, GW_HWNDNEXT)) {
            char kind[8] = "";
            const LONG style = ::GetClassNameA(w, kind, sizeof kind) ? ::GetWindowLongA(w, GWL_STYLE) : 0;
            const std::string text = Text(w);
            const bool icon = !std::strcmp(kind, "Static") && (style & SS_TYPEMASK) == SS_ICON;
            const bool label =
                !text.empty() && (!std::strcmp(kind, "Button") ||
                                  (!std::strcmp(kind, "Static") && (style & SS_TYPEMASK) <= SS_RIGHT));
            const UINT format =
                kind[0] == 'B' ? DT_SINGLELINE : DT_WORDBREAK | (style & SS_NOPREFIX ? DT_NOPREFIX : 0);
            RECT room{}, need{};
            bool apart = true;
            if (icon && ::GetWindowRect(w, &need) &&
                ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&need), 2)) {
                room = {need.left, need.top, labels, need.top + high};
                int largest = kFormIconSizes[0];
                for (int drawn : kFormIconSizes)
                    largest = drawn <= high && need.left + drawn <= labels ? drawn : largest;
                apart = need.top > above && need.right - need.left == largest;
                above = need.bottom;
            } else if (!label || !::GetClientRect(w, &room)) {
                continue;
            } else {  // measured from the control's own width, as the control wraps its text
                need = room;
                ::DrawTextA(dc, text.c_str(), -1, &need, DT_CALCRECT | format);
            }
            if (apart && need.right <= room.right && need.bottom <= room.bottom)
                ++fit;
            else
                misfits += (icon ? "an icon" : text) + " needs " + size(need) + " in " + size(room) + "; ";
        }
    ::DeleteObject(::SelectObject(dc, font));
    ::ReleaseDC(nullptr, dc);
    return misfits + std::to_string(fit) + " fit at " + std::to_string(dpi) + " DPI";
}

// The page shown, named alone only when the strip's selected tab names it too.
std::string ShownPage()
{
    const std::string pages[] = {"calculate", "help", "both or none"};
    const bool helpShown = ::IsWindowVisible(help), calcShown = ::IsWindowVisible(calc);
    const DWORD_PTR shown = helpShown == calcShown ? 2 : helpShown;
    DWORD_PTR selected = 3;
    ::SendMessageTimeoutW(tabs, TCM_GETCURSEL, 0, 0, SMTO_NORMAL, 5000, &selected);
    return shown == selected ? pages[shown] : pages[shown] + " shown, another tab selected";
}

// One reading of the running program; only what the key asks for is asked of it.
std::string Value(const std::string& key)
{
    RECT r{}, page{};
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    if (key == "running" || !frame)
        return frame ? "1" : "0";
    const HWND popup = Parent(kOnTop), text = ::GetDlgItem(help, IDC_HELP_TEXT);
    if (key == "dialog")
        return popup != frame ? Text(popup) : "";
    if (key == "page")
        return ShownPage();
    if (key == "layout")
        return Layout(popup != frame ? popup : nullptr);
    if (key == "hash:help")
        return std::to_string(Fnv1a<std::uint32_t>(Text(text)));
    if (key == "help_line")  // the first line in view
        return std::to_string(::SendMessageA(text, EM_GETFIRSTVISIBLELINE, 0, 0));
    if (key == "help_sel") {  // start,end
        const LRESULT sel = ::SendMessageA(text, EM_GETSEL, 0, 0);
        return std::to_string(LOWORD(sel)) + "," + std::to_string(HIWORD(sel));
    }
    if (key == "at:tab_row" && ::GetWindowRect(tabs, &r) && ::GetWindowRect(calc, &page))
        return std::to_string(r.left + 4) + " " + std::to_string(r.right - 4) + " " +
               std::to_string((r.top + page.top) / 2);
    if (key == "focus" && ::GetGUIThreadInfo(::GetWindowThreadProcessId(frame, nullptr), &gui))
        return Name(gui.hwndFocus);
    for (const auto& [id, in, name] : kControls) {
        const HWND w = ::GetDlgItem(Parent(in), id);
        // Screen points to click: the centre, the middles of the upper and lower halves (spin arrows).
        const std::string at = "at:" + std::string(name);
        const int part = key == at ? 2 : key == at + "_up" ? 1 : key == at + "_down" ? 3 : 0;
        if (key == name)
            return Text(w);
        if (key == "label:" + std::string(name))  // what a screen reader names it by
            return Text(::GetWindow(w, GW_HWNDPREV));
        if (part && ::GetWindowRect(w, &r))
            return std::to_string((r.left + r.right) / 2) + " " +
                   std::to_string(r.top + (r.bottom - r.top) * part / 4);
    }
    return "<unknown key>";
}

// The form follows the X input asynchronously: poll until every value shows (KEY!=VALUE: any other), and
// still shows a moment later. Past the timeout, name each value that differs.
bool Expect(int argc, char** argv, DWORD timeout)
{
    for (DWORD start = ::GetTickCount(), shown = 0, late = 0;; ::Sleep(shown ? 300 : 50)) {
        bool all = true;
        Find();
        for (int i = 0; i < argc; ++i) {
            const char* eq = std::strchr(argv[i], '=');
            const bool other = eq && eq > argv[i] && eq[-1] == '!';
            const std::string key(argv[i], eq ? eq - argv[i] - other : 0), got = Value(key);
            if (eq && (got == eq + 1) != other)
                continue;
            all = false;
            if (late)
                std::printf("  %s: expected %s\"%s\", found \"%s\"\n", key.c_str(), other ? "not " : "",
                            eq ? eq + 1 : "", got.c_str());
        }
        if (late || (all && shown))
            return all;
        shown = all;
        late = ::GetTickCount() - start > timeout;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    const bool timed = argc > 2 && std::strncmp(argv[2], "--timeout=", 10) == 0;
    Find();
    for (int i = 2; command == "get" && i < argc; ++i)
        std::printf("%s\n", Value(argv[i]).c_str());
    if (command == "expect")
        return !Expect(argc - 2 - timed, argv + 2 + timed, timed ? std::stoul(argv[2] + 10) : 15000);
    // A copy of the program with no resources, so no main window's template: Wine's UpdateResource
    // cannot delete one resource of a file (it reads the file's own back in as it writes).
    if (command == "strip" && argc == 4) {
        const HANDLE res =
            ::CopyFileA(argv[2], argv[3], FALSE) ? ::BeginUpdateResourceA(argv[3], TRUE) : nullptr;
        return !res || !::EndUpdateResourceA(res, FALSE);
    }
    return command == "get" && frame ? 0 : 2;
}
