// Reads the running Kelvane from outside for tools/e2e.sh, which drives it with
// the X pointer and keyboard. Documented API only (messages whose data Wine
// carries across processes, window and focus queries, process counters), never
// the program's memory: an i686 program emulated by qemu is out of its reach.
//   kelvane_probe get KEY... | expect [--timeout=MS] KEY=VALUE... | clip TEXT
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
} kControls[] = {{IDCANCEL, "exit"},          {IDC_ABOUT, "about"},
                 {IDC_LENGTH, "length"},      {IDC_DISCS, "discs"},
                 {IDC_SIZE, "size"},          {IDC_AUDIO, "sound"},
                 {IDC_RESULT, "result"},      {IDC_LENGTH_SPIN, "length_spin"},
                 {IDC_SIZE_SPIN, "size_spin"}};

struct Program {
    HWND main = nullptr, calc = nullptr, help = nullptr;
    DWORD pid = 0;
    int windows = 0;
};

LRESULT Send(HWND w, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = static_cast<DWORD_PTR>(-1);
    ::SendMessageTimeoutW(w, message, wParam, lParam, SMTO_NORMAL, 5000, &result);
    return static_cast<LRESULT>(result);
}

// GetWindowText of another process's box answers "": ask the window. Wine 8
// answers CB_GETLBTEXT (A) across processes in UTF-16: both use the W forms.
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

BOOL CALLBACK CountWindows(HWND w, LPARAM p)  // each top-level window of the process and all below it
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    if (pid == reinterpret_cast<Program*>(p)->pid && ++reinterpret_cast<Program*>(p)->windows &&
        !(::GetWindowLongPtrA(w, GWL_STYLE) & WS_CHILD))
        ::EnumChildWindows(w, CountWindows, p);
    return TRUE;
}

Program Find()
{
    Program prog;
    prog.main = ::FindWindowA("#32770", "Kelvane");  // top-level captions are known to every process
    ::GetWindowThreadProcessId(prog.main, &prog.pid);
    for (HWND page = nullptr;
         (page = ::FindWindowExA(::GetDlgItem(prog.main, IDC_TABS), page, "#32770", nullptr));)
        (::GetDlgItem(page, IDC_LENGTH) ? prog.calc : prog.help) = page;
    return prog;
}

std::string Value(Program& prog, const std::string& key)
{
    char text[64] = "";
    RECT r{}, page{};
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    PROCESS_MEMORY_COUNTERS memory{};
    const std::unique_ptr<void, decltype(&::CloseHandle)> process(
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, prog.pid), ::CloseHandle);
    HWND popup = ::GetLastActivePopup(prog.main);  // the About box while it is up
    if (key == "running" || !prog.main)
        return prog.main ? "1" : "0";
    if (key == "title" || key == "dialog")
        return key == "title" ? Text(prog.main) : popup != prog.main ? Text(popup) : "";
    if (key == "page")
        return ::IsWindowVisible(prog.calc) == ::IsWindowVisible(prog.help) ? "both or none"
               : ::IsWindowVisible(prog.calc)                               ? "calculate"
                                                                            : "help";
    if (key == "disc" || key == "sound")
        return Text(::GetDlgItem(prog.calc, key == "disc" ? IDC_DISCS : IDC_AUDIO), true);
    if (key == "windows" && (prog.windows = 0, ::EnumWindows(CountWindows, reinterpret_cast<LPARAM>(&prog))))
        return std::to_string(prog.windows);
    if (key == "memory_kb" && ::GetProcessMemoryInfo(process.get(), &memory, sizeof memory))
        return std::to_string(memory.PagefileUsage / 1024);
    if (key == "drawing_objects")  // Wine answers 0
        return std::to_string(::GetGuiResources(process.get(), GR_GDIOBJECTS));
    if (key == "at:tabs" && ::GetWindowRect(::GetDlgItem(prog.main, IDC_TABS), &r) &&
        ::GetWindowRect(prog.calc, &page))
        std::snprintf(text, sizeof text, "%ld %ld %ld", r.left + 4, r.right - 4, (r.top + page.top) / 2);
    const bool focus =
        key == "focus" && ::GetGUIThreadInfo(::GetWindowThreadProcessId(prog.main, nullptr), &gui);
    for (const auto& c : kControls) {
        HWND w = ::GetDlgItem(c.id == IDCANCEL || c.id == IDC_ABOUT ? prog.main : prog.calc, c.id);
        if (focus && gui.hwndFocus == w)
            return c.name;
        if (key == c.name)
            return Text(w);
        // Screen points to click: the centre, and the middles of the upper and lower halves (a spin's
        // arrows).
        const std::string at = "at:" + std::string(c.name);
        const int part = key == at ? 2 : key == at + "_up" ? 1 : key == at + "_down" ? 3 : 0;
        if (part && ::GetWindowRect(w, &r))
            std::snprintf(text, sizeof text, "%ld %ld", (r.left + r.right) / 2,
                          r.top + (r.bottom - r.top) * part / 4);
    }
    return focus ? "other" : text[0] ? text : "<unknown key>";
}

bool Matches(int argc, char** argv, bool report)
{
    Program prog = Find();
    bool all = true;
    for (int i = 0; i < argc; ++i) {
        const char* eq = std::strchr(argv[i], '=');
        const std::string key(argv[i], eq ? eq - argv[i] : 0), got = Value(prog, key);
        if ((!eq || got != eq + 1) && !(all = false) && report)
            std::printf("  %s: expected \"%s\", found \"%s\"\n", key.c_str(), eq ? eq + 1 : "", got.c_str());
    }
    return all;
}

// The form follows the X input asynchronously: poll until every value shows,
// and still shows a moment later (a spin stepping past its end would not).
bool Expect(int argc, char** argv, DWORD timeout)
{
    for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start <= timeout; ::Sleep(50))
        if (Matches(argc, argv, false) && (::Sleep(300), Matches(argc, argv, false)))
            return true;
    return Matches(argc, argv, true);
}

bool Clip(const char* text)
{
    HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::strcpy(static_cast<char*>(::GlobalLock(data)), text);
    ::GlobalUnlock(data);
    const bool ok = ::OpenClipboard(nullptr) && ::EmptyClipboard() && ::SetClipboardData(CF_TEXT, data);
    return ::CloseClipboard() && ok;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    const bool timed = argc > 2 && std::strncmp(argv[2], "--timeout=", 10) == 0;
    Program prog = Find();
    for (int i = 2; command == "get" && i < argc; ++i)
        std::printf("%s\n", Value(prog, argv[i]).c_str());
    if (command == "expect")
        return Expect(argc - 2 - timed, argv + 2 + timed,
                      timed ? std::strtoul(argv[2] + 10, nullptr, 10) : 15000)
                   ? 0
                   : 1;
    if (command == "clip" && argc == 3)
        return Clip(argv[2]) ? 0 : 1;
    return command == "get" && prog.main ? 0 : 2;
}
