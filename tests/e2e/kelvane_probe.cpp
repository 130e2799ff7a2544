// Reads the running Kelvane from outside for tools/e2e.sh, which drives it
// with the X pointer and keyboard. Documented API only (messages whose data
// Wine carries across processes, window and focus queries, process counters),
// never the program's memory: an i686 program emulated by qemu is out of reach.
//   kelvane_probe get KEY...                          one value a line
//   kelvane_probe expect [--timeout=MS] KEY=VALUE...  waits until the form shows them
//   kelvane_probe clip TEXT                           puts TEXT on the clipboard
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "res/resource.h"

namespace {

const struct {
    int id;
    const char* name;
} kControls[] = {{IDCANCEL, "exit"},   {IDC_LENGTH, "length"}, {IDC_DISCS, "discs"}, {IDC_SIZE, "size"},
                 {IDC_AUDIO, "sound"}, {IDC_RESULT, "result"}, {IDC_ABOUT, "about"},
                 {IDC_LENGTH_SPIN, "length_spin"}, {IDC_SIZE_SPIN, "size_spin"}};

struct Program {
    DWORD pid = 0;
    HWND main = nullptr, calc = nullptr, help = nullptr, dialog = nullptr;
    int windows = 0;
};

std::string Caption(HWND w)  // top-level captions are readable from any process
{
    char text[256] = "";
    ::GetWindowTextA(w, text, sizeof text);
    return text;
}

DWORD ProcessOf(HWND w)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    return pid;
}

// First pass: the main window; second: another dialog of its process, the About box.
BOOL CALLBACK FindDialogs(HWND w, LPARAM p)
{
    auto& prog = *reinterpret_cast<Program*>(p);
    char name[8] = "";
    if (!::GetClassNameA(w, name, sizeof name) || std::strcmp(name, "#32770") != 0)
        return TRUE;
    if (!prog.main && Caption(w) == "Kelvane")
        prog.main = w, prog.pid = ProcessOf(w);
    else if (prog.main && w != prog.main && ProcessOf(w) == prog.pid && ::IsWindowVisible(w))
        prog.dialog = w;
    else
        return TRUE;
    return FALSE;
}

BOOL CALLBACK CountWindows(HWND w, LPARAM p)  // each top-level window of the process and all below it
{
    auto& prog = *reinterpret_cast<Program*>(p);
    if (ProcessOf(w) == prog.pid && ++prog.windows && !(::GetWindowLongPtrA(w, GWL_STYLE) & WS_CHILD))
        ::EnumChildWindows(w, CountWindows, p);
    return TRUE;
}

Program Find()
{
    Program prog;
    ::EnumWindows(FindDialogs, reinterpret_cast<LPARAM>(&prog));
    ::EnumWindows(FindDialogs, reinterpret_cast<LPARAM>(&prog));
    for (HWND page = nullptr; (page = ::FindWindowExA(::GetDlgItem(prog.main, IDC_TABS), page, "#32770", nullptr));)
        (::GetDlgItem(page, IDC_LENGTH) ? prog.calc : prog.help) = page;
    return prog;
}

LRESULT Send(HWND w, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = static_cast<DWORD_PTR>(-1);
    ::SendMessageTimeoutW(w, message, wParam, lParam, SMTO_NORMAL, 5000, &result);
    return static_cast<LRESULT>(result);
}

// GetWindowText of another process's box answers "": ask the box. Wine 8 answers
// CB_GETLBTEXT (A) across processes in UTF-16, so both use the W forms.
std::string Text(HWND w, bool row = false)
{
    wchar_t wide[8192] = L"";
    const LRESULT index = row ? Send(w, CB_GETCURSEL) : 0;
    if (!row)
        Send(w, WM_GETTEXT, 8192, reinterpret_cast<LPARAM>(wide));
    else if (index >= 0 && Send(w, CB_GETLBTEXTLEN, index) < 8192)
        Send(w, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide));
    char text[8192] = "";
    ::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

std::string Value(Program& prog, const std::string& key)
{
    char text[256] = "";
    RECT r{}, page{};
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    PROCESS_MEMORY_COUNTERS memory{};
    const std::unique_ptr<void, decltype(&::CloseHandle)> process(
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, prog.pid), ::CloseHandle);
    if (key == "running" || !prog.main)
        return prog.main ? "1" : "0";
    if (key == "title" || key == "dialog")
        return key == "title" ? Caption(prog.main) : prog.dialog ? Caption(prog.dialog) : "";
    if (key == "page")
        return ::IsWindowVisible(prog.calc) == ::IsWindowVisible(prog.help) ? "both or none"
               : ::IsWindowVisible(prog.calc)                             ? "calculate" : "help";
    if (key == "disc" || key == "sound")
        return Text(::GetDlgItem(prog.calc, key == "disc" ? IDC_DISCS : IDC_AUDIO), true);
    if (key == "windows" && (prog.windows = 0, ::EnumWindows(CountWindows, reinterpret_cast<LPARAM>(&prog))))
        return std::to_string(prog.windows);
    if (key == "memory_kb" && ::GetProcessMemoryInfo(process.get(), &memory, sizeof memory))
        return std::to_string(memory.PagefileUsage / 1024);
    if (key == "drawing_objects")  // Wine answers 0
        return std::to_string(::GetGuiResources(process.get(), GR_GDIOBJECTS));
    if (key == "at:tabs" && ::GetWindowRect(::GetDlgItem(prog.main, IDC_TABS), &r) && ::GetWindowRect(prog.calc, &page))
        std::snprintf(text, sizeof text, "%ld %ld %ld", r.left + 4, r.right - 4, (r.top + page.top) / 2);
    const bool focus = key == "focus" && ::GetGUIThreadInfo(::GetWindowThreadProcessId(prog.main, nullptr), &gui);
    for (const auto& c : kControls) {
        HWND w = c.id == IDCANCEL || c.id == IDC_ABOUT ? ::GetDlgItem(prog.main, c.id) : ::GetDlgItem(prog.calc, c.id);
        if (focus && gui.hwndFocus == w)
            return c.name;
        if (key == c.name)
            return Text(w);
        // Screen points to click: the centre, and the middles of the upper and lower halves (a spin's arrows).
        const std::string at = "at:" + std::string(c.name);
        const int part = key == at ? 2 : key == at + "_up" ? 1 : key == at + "_down" ? 3 : 0;
        if (part && ::GetWindowRect(w, &r))
            std::snprintf(text, sizeof text, "%ld %ld", (r.left + r.right) / 2, r.top + (r.bottom - r.top) * part / 4);
    }
    return focus ? "other" : text[0] ? text : "<unknown key>";
}

// The form follows the X input asynchronously: poll until every value shows,
// and still shows a moment later (a spin stepping past its end would not).
int Expect(int argc, char** argv)
{
    DWORD timeout = 15000;
    if (argc > 0 && std::strncmp(*argv, "--timeout=", 10) == 0)
        timeout = std::strtoul(*argv + 10, nullptr, 10), ++argv, --argc;
    auto all = [&](bool report) {
        Program prog = Find();
        bool ok = true;
        for (int i = 0; i < argc; ++i) {
            const char* eq = std::strchr(argv[i], '=');
            const std::string key(argv[i], eq ? eq - argv[i] : 0), got = Value(prog, key);
            if (!eq || got != eq + 1) {
                ok = false;
                if (report)
                    std::printf("  %s: expected \"%s\", found \"%s\"\n", key.c_str(), eq ? eq + 1 : "", got.c_str());
            }
        }
        return ok;
    };
    for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start <= timeout; ::Sleep(50))
        if (all(false) && (::Sleep(300), all(false)))
            return 0;
    return all(true) ? 0 : 1;
}

int Clip(const char* text)
{
    HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::strcpy(static_cast<char*>(::GlobalLock(data)), text);
    ::GlobalUnlock(data);
    const bool ok = ::OpenClipboard(nullptr) && ::EmptyClipboard() && ::SetClipboardData(CF_TEXT, data);
    return ::CloseClipboard() && ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    Program prog = Find();
    for (int i = 2; command == "get" && i < argc; ++i)
        std::printf("%s\n", Value(prog, argv[i]).c_str());
    if (command == "expect" || command == "clip")
        return command == "expect" ? Expect(argc - 2, argv + 2) : Clip(argc > 2 ? argv[2] : "");
    if (command != "get")
        std::fprintf(stderr, "usage: kelvane_probe get KEY... | expect [--timeout=MS] KEY=VALUE... | clip TEXT\n");
    return command == "get" && prog.main ? 0 : 2;
}
