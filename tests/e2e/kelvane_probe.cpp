// The automation client of the end-to-end, soak and start-up measurements:
// a console program that finds the running Kelvane and reads, or changes,
// what its form shows, entirely through window messages.
//
//   kelvane_probe state                 what the form shows, one key=value a line
//   kelvane_probe expect k=v... [--timeout=ms]
//                                       waits until the form shows all of them
//   kelvane_probe point NAME [ROW]      screen point of a control, for xdotool
//   kelvane_probe windows               the program's top-level windows
//   kelvane_probe gone                  succeeds when no Kelvane window is left
//   kelvane_probe soak OPS SEED         random operations against the form
//   kelvane_probe start EXE kelvane|empty
//                                       starts EXE, times it to its first result
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include <windows.h>
#include <commctrl.h>

#include "form_access.h"
#include "probe_commands.h"

namespace probe {
namespace {

using State = std::map<std::string, std::string>;

State ReadState()
{
    State s;
    const Form f = FindForm();
    s["running"] = f.main ? "1" : "0";
    if (!f.Complete())
        return s;
    s["length"] = Text(f.Item(IDC_LENGTH));
    s["size"] = Text(f.Item(IDC_SIZE));
    s["result"] = Text(f.Item(IDC_RESULT));
    s["audio"] = std::to_string(Send(f.Item(IDC_AUDIO), CB_GETCURSEL));
    s["discs"] = std::to_string(Send(f.Item(IDC_DISCS), CB_GETCURSEL));
    const bool calcShown = ::IsWindowVisible(f.calc), helpShown = ::IsWindowVisible(f.help);
    s["page"] = calcShown && !helpShown ? "calculate" : helpShown && !calcShown ? "help" : "broken";
    s["tab"] = std::to_string(Send(f.tabs, TCM_GETCURSEL));
    s["helplen"] = std::to_string(Send(::GetDlgItem(f.help, IDC_HELP_TEXT), WM_GETTEXTLENGTH));
    s["about"] = FindAbout(f.pid) ? "1" : "0";
    return s;
}

void Print(const State& s)
{
    for (const auto& [key, value] : s)
        std::printf("%s=%s\n", key.c_str(), value.c_str());
}

int Expect(int argc, char** argv)
{
    State want;
    DWORD timeout = 3000;
    for (int i = 0; i < argc; ++i) {
        const char* eq = std::strchr(argv[i], '=');
        if (std::strncmp(argv[i], "--timeout=", 10) == 0)
            timeout = static_cast<DWORD>(std::atol(argv[i] + 10));
        else if (eq)
            want[std::string(argv[i], static_cast<size_t>(eq - argv[i]))] = eq + 1;
    }
    // The form changes asynchronously to the X input that drives it: poll.
    const DWORD start = ::GetTickCount();
    State got;
    auto matches = [&] {
        got = ReadState();
        bool all = true;
        for (const auto& [key, value] : want)
            all = all && got[key] == value;
        return all;
    };
    for (;;) {
        // And it must stay so: a late change (a spin stepping past its end) fails too.
        if (matches()) {
            ::Sleep(300);
            if (matches())
                return 0;
        }
        if (::GetTickCount() - start > timeout)
            break;
        ::Sleep(20);
    }
    for (const auto& [key, value] : want)
        if (got[key] != value)
            std::printf("  %s: expected \"%s\", the form shows \"%s\"\n", key.c_str(), value.c_str(), got[key].c_str());
    return 1;
}

bool ControlRect(const std::string& name, int row, RECT& r, HWND& target)
{
    const Form f = FindForm();
    if (!f.Complete())
        return false;
    static const std::map<std::string, int> pageItems = {
        {"length", IDC_LENGTH}, {"size", IDC_SIZE}, {"result", IDC_RESULT}, {"audio", IDC_AUDIO},
        {"discs", IDC_DISCS},   {"length-up", IDC_LENGTH_SPIN}, {"length-down", IDC_LENGTH_SPIN},
        {"size-up", IDC_SIZE_SPIN}, {"size-down", IDC_SIZE_SPIN}};
    if (auto it = pageItems.find(name); it != pageItems.end()) {
        target = f.Item(it->second);
        if (!::GetWindowRect(target, &r))
            return false;
        // A vertical up-down: the upper half steps up, the lower half down.
        const LONG h = r.bottom - r.top;
        if (name.ends_with("-up"))
            r.bottom = r.top + h / 2;
        else if (name.ends_with("-down"))
            r.top = r.bottom - h / 2;
        return true;
    }
    if (name == "about" || name == "exit") {
        target = ::GetDlgItem(f.main, name == "about" ? IDC_ABOUT : IDCANCEL);
        return ::GetWindowRect(target, &r);
    }
    if (name == "about-ok") {
        target = ::GetDlgItem(FindAbout(f.pid), IDOK);
        return target && ::GetWindowRect(target, &r);
    }
    if (name == "tab-calculate" || name == "tab-help") {
        target = f.tabs;
        return ItemScreenRect(f.tabs, TCM_GETITEMRECT, name == "tab-help" ? 1 : 0, r);
    }
    if (name == "row" || name == "list") {
        // The dropped list of a combo box is a top-level window of its own.
        target = FindTopLevel(nullptr, "ComboLBox", f.pid, true);
        if (name == "list")
            return target && ::GetWindowRect(target, &r);
        if (!target || !ItemScreenRect(target, LB_GETITEMRECT, static_cast<WPARAM>(row), r))
            return false;
        RECT client;
        ::GetClientRect(target, &client);
        ::MapWindowPoints(target, nullptr, reinterpret_cast<POINT*>(&client), 2);
        if (r.top < client.top || r.bottom > client.bottom) {
            // The caller rolls the wheel that way and asks again.
            std::printf("%s\n", r.top < client.top ? "above" : "below");
            return false;
        }
        return true;
    }
    return false;
}

int Point(const std::string& name, int row)
{
    RECT r;
    HWND target = nullptr;
    if (!ControlRect(name, row, r, target)) {
        std::fprintf(stderr, "no %s on screen\n", name.c_str());
        return 2;
    }
    const POINT p = Centre(r);
    // A click there must land on that control, not on some other window.
    HWND hit = ::WindowFromPoint(p);
    if (hit != target && ::GetParent(hit) != target) {
        std::fprintf(stderr, "%s at %ld,%ld is covered by a \"%s\" window (%p, not %p)\n", name.c_str(), p.x, p.y,
                     ClassName(hit).c_str(), static_cast<void*>(hit), static_cast<void*>(target));
        return 3;
    }
    std::printf("%ld %ld\n", p.x, p.y);
    return 0;
}

BOOL CALLBACK ListWindow(HWND hWnd, LPARAM pid)
{
    if (ProcessOf(hWnd) == static_cast<DWORD>(pid)) {
        char text[64] = {};
        ::GetWindowTextA(hWnd, text, sizeof text);
        RECT r;
        ::GetWindowRect(hWnd, &r);
        std::printf("%p %-16s %s %ld,%ld %ldx%ld \"%s\"\n", static_cast<void*>(hWnd), ClassName(hWnd).c_str(),
                    ::IsWindowVisible(hWnd) ? "shown " : "hidden", r.left, r.top, r.right - r.left, r.bottom - r.top, text);
    }
    return TRUE;
}

int Gone()
{
    const Form f = FindForm();
    if (f.main || FindTopLevel("About Kelvane", nullptr, 0, false)) {
        std::printf("a Kelvane window is still there\n");
        return 1;
    }
    return 0;
}

}  // namespace
}  // namespace probe

int main(int argc, char** argv)
{
    using namespace probe;
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "state") {
        Print(ReadState());
        return 0;
    }
    if (command == "expect")
        return Expect(argc - 2, argv + 2);
    if (command == "point" && argc > 2)
        return Point(argv[2], argc > 3 ? std::atoi(argv[3]) : 0);
    if (command == "windows") {
        ::EnumWindows(ListWindow, static_cast<LPARAM>(FindForm().pid));
        return 0;
    }
    if (command == "gone")
        return Gone();
    if (command == "soak" && argc > 3)
        return RunSoak(std::strtol(argv[2], nullptr, 10), static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)));
    if (command == "start" && argc > 3)
        return RunStart(argv[2], std::strcmp(argv[3], "kelvane") == 0);
    std::fprintf(stderr,
                 "usage: kelvane_probe state | expect KEY=VALUE... [--timeout=MS] | point NAME [ROW] | windows\n"
                 "                     | gone | soak OPS SEED | start EXE kelvane|empty\n");
    return 2;
}
