// Reads the running Kelvane from outside, for tools/e2e.sh, which drives it
// with the X pointer and keyboard. Documented API only: window messages whose
// data Wine carries across processes, window and focus queries, process
// counters. Nothing reads the program's memory, which may be out of reach
// (an i686 program emulated by qemu).
//   kelvane_probe expect [--timeout=MS] KEY=VALUE...  waits until the form shows them
//   kelvane_probe map                                 screen points to click, "name x y"
//   kelvane_probe counts                              the program's windows and memory
//   kelvane_probe clip TEXT                           puts TEXT on the clipboard
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "res/resource.h"

namespace {

struct Named {
    int id;
    const char* name;
} const kControls[] = {{IDCANCEL, "exit"},   {IDC_LENGTH, "length"}, {IDC_DISCS, "discs"}, {IDC_SIZE, "size"},
                       {IDC_AUDIO, "sound"}, {IDC_RESULT, "result"}, {IDC_ABOUT, "about"}, {IDC_HELP_TEXT, "help"},
                       {IDC_LENGTH_SPIN, "length_spin"}, {IDC_SIZE_SPIN, "size_spin"}};

struct Program {
    DWORD pid = 0;
    HWND main = nullptr, calc = nullptr, help = nullptr, dialog = nullptr;
};

std::string Caption(HWND w)  // top-level captions are readable from any process
{
    char text[256] = "";
    ::GetWindowTextA(w, text, sizeof text);
    return text;
}

bool IsDialog(HWND w)
{
    char name[16] = "";
    ::GetClassNameA(w, name, sizeof name);
    return std::strcmp(name, "#32770") == 0;
}

BOOL CALLBACK FindMain(HWND w, LPARAM p)
{
    auto* prog = reinterpret_cast<Program*>(p);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    if (!IsDialog(w) || Caption(w) != "Kelvane")
        return TRUE;
    // Test programs show Kelvane's windows too: only kelvane.exe counts.
    char path[MAX_PATH] = "";
    DWORD size = sizeof path;
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    const bool ours = process && ::QueryFullProcessImageNameA(process, 0, path, &size) &&
                      size >= 11 && ::lstrcmpiA(path + size - 11, "kelvane.exe") == 0;
    if (process)
        ::CloseHandle(process);
    if (!ours)
        return TRUE;
    prog->main = w;
    prog->pid = pid;
    return FALSE;
}

BOOL CALLBACK FindDialog(HWND w, LPARAM p)  // a second visible dialog of the program: the About box
{
    auto* prog = reinterpret_cast<Program*>(p);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    if (pid == prog->pid && w != prog->main && IsDialog(w) && ::IsWindowVisible(w))
        prog->dialog = w;
    return !prog->dialog;
}

Program Find()
{
    Program prog;
    ::EnumWindows(FindMain, reinterpret_cast<LPARAM>(&prog));
    if (!prog.main)
        return prog;
    ::EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&prog));
    for (HWND page = nullptr; (page = ::FindWindowExA(::GetDlgItem(prog.main, IDC_TABS), page, "#32770", nullptr));)
        (::GetDlgItem(page, IDC_LENGTH) ? prog.calc : prog.help) = page;
    return prog;
}

HWND Item(const Program& prog, int id)
{
    for (HWND parent : {prog.main, prog.calc, prog.help})
        if (HWND w = parent ? ::GetDlgItem(parent, id) : nullptr)
            return w;
    return nullptr;
}

LRESULT Send(HWND w, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, bool wide = false)
{
    DWORD_PTR result = static_cast<DWORD_PTR>(-1);
    (wide ? ::SendMessageTimeoutW : ::SendMessageTimeoutA)(w, message, wParam, lParam, SMTO_NORMAL, 5000, &result);
    return static_cast<LRESULT>(result);
}

std::string Text(HWND w)  // GetWindowText of another process's box answers "": ask the box
{
    static char text[8192];
    text[0] = '\0';
    Send(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string Row(HWND combo)  // Wine 8 answers CB_GETLBTEXT (A) across processes in UTF-16
{
    wchar_t row[256] = L"";
    const LRESULT index = Send(combo, CB_GETCURSEL);
    if (index < 0 || Send(combo, CB_GETLBTEXTLEN, index) >= 255)
        return "";
    Send(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(row), true);
    char text[256] = "";
    ::WideCharToMultiByte(CP_ACP, 0, row, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

std::string Focus(const Program& prog)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(prog.main, nullptr), &info) || !info.hwndFocus)
        return "none";
    for (const Named& c : kControls)
        if (info.hwndFocus == Item(prog, c.id))
            return c.name;
    return "other";
}

std::string Value(const Program& prog, const std::string& key)
{
    if (key == "running")
        return prog.main ? "1" : "0";
    if (!prog.main)
        return "<no Kelvane window>";
    if (key == "title")
        return Caption(prog.main);
    if (key == "dialog")
        return prog.dialog ? Caption(prog.dialog) : "";
    if (key == "page")
        return ::IsWindowVisible(prog.calc) == ::IsWindowVisible(prog.help) ? "both or none"
               : ::IsWindowVisible(prog.calc)                             ? "calculate"
                                                                          : "help";
    if (key == "focus")
        return Focus(prog);
    if (key == "disc" || key == "sound")
        return Row(Item(prog, key == "disc" ? IDC_DISCS : IDC_AUDIO));
    for (const Named& c : kControls)
        if (key == c.name)
            return Text(Item(prog, c.id));
    return "<unknown key>";
}

// The form follows the X input asynchronously: poll until every value shows,
// and still shows a moment later (a spin stepping past its end would not).
int Expect(int argc, char** argv)
{
    DWORD timeout = 15000;
    if (argc > 0 && std::strncmp(argv[0], "--timeout=", 10) == 0) {
        timeout = std::strtoul(argv[0] + 10, nullptr, 10);
        ++argv, --argc;
    }
    auto all = [&](bool report) {
        const Program prog = Find();
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
    all(true);
    return 1;
}

void PrintCentre(const char* name, HWND w, int part = 0)  // part: 1 upper half, 2 lower half
{
    RECT r{};
    ::GetWindowRect(w, &r);
    const LONG y = part == 1 ? (3 * r.top + r.bottom) / 4 : part == 2 ? (r.top + 3 * r.bottom) / 4 : (r.top + r.bottom) / 2;
    std::printf("%s %ld %ld\n", name, (r.left + r.right) / 2, y);
}

int Map()
{
    const Program prog = Find();
    if (!prog.main || !prog.calc)
        return 1;
    for (const Named& c : kControls)
        PrintCentre(c.name, Item(prog, c.id));
    PrintCentre("length_up", Item(prog, IDC_LENGTH_SPIN), 1);
    PrintCentre("length_down", Item(prog, IDC_LENGTH_SPIN), 2);
    PrintCentre("size_up", Item(prog, IDC_SIZE_SPIN), 1);
    PrintCentre("size_down", Item(prog, IDC_SIZE_SPIN), 2);
    // The tab row: the strip's top edge down to the pages' top, from its left to its right end.
    RECT strip{}, page{};
    ::GetWindowRect(::GetDlgItem(prog.main, IDC_TABS), &strip);
    ::GetWindowRect(prog.calc, &page);
    std::printf("tab_row %ld %ld %ld\n", strip.left + 4, strip.right - 4, (strip.top + page.top) / 2);
    return 0;
}

BOOL CALLBACK CountWindow(HWND w, LPARAM p)
{
    auto* count = reinterpret_cast<std::pair<DWORD, int>*>(p);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    if (pid == count->first) {
        ++count->second;
        ::EnumChildWindows(w, CountWindow, p);  // every descendant, each counted once
    }
    return TRUE;
}

int Counts()
{
    const Program prog = Find();
    std::pair<DWORD, int> count{prog.pid, 0};
    ::EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
    PROCESS_MEMORY_COUNTERS memory{};
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, prog.pid);
    if (!prog.main || !process || !::GetProcessMemoryInfo(process, &memory, sizeof memory))
        return 1;
    // Wine answers 0 for drawing objects: printed so the log says so.
    std::printf("windows %d\nworking_set_kb %zu\npagefile_kb %zu\ngdi_objects %lu\n", count.second,
                memory.WorkingSetSize / 1024, memory.PagefileUsage / 1024, ::GetGuiResources(process, GR_GDIOBJECTS));
    ::CloseHandle(process);
    return 0;
}

int Clip(const char* text)
{
    const size_t size = std::strlen(text) + 1;
    HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(::GlobalLock(data), text, size);
    ::GlobalUnlock(data);
    const bool ok = ::OpenClipboard(nullptr) && ::EmptyClipboard() && ::SetClipboardData(CF_TEXT, data);
    ::CloseClipboard();
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "expect")
        return Expect(argc - 2, argv + 2);
    if (command == "map")
        return Map();
    if (command == "counts")
        return Counts();
    if (command == "clip" && argc == 3)
        return Clip(argv[2]);
    std::fprintf(stderr, "usage: kelvane_probe expect [--timeout=MS] KEY=VALUE... | map | counts | clip TEXT\n");
    return 2;
}
