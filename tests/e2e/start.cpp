// Cold start: from CreateProcess to the first result on screen, as the user
// sees it (the window shown and its box filled), then the memory it holds.
#include <cstdio>
#include <string>

#include <windows.h>
#include <psapi.h>

#include "form_access.h"
#include "probe_commands.h"

namespace {

constexpr int kReadyControl = 100;  // the empty dialog's one control

// The window to close once ready, or null while the program is still starting.
HWND Ready(DWORD pid, bool kelvane)
{
    using namespace probe;
    if (kelvane) {
        const Form f = FindForm(pid);
        return f.Complete() && ::IsWindowVisible(f.main) && Text(f.Item(IDC_RESULT)) == "611.56" ? f.main : nullptr;
    }
    HWND dialog = FindTopLevel("Empty", "#32770", pid, true);
    return dialog && Text(::GetDlgItem(dialog, kReadyControl)) == "Ready" ? dialog : nullptr;
}

}  // namespace

int RunStart(const char* exe, bool kelvane)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, begin, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&begin);
    std::string commandLine = std::string("\"") + exe + "\"";
    if (!::CreateProcessA(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("FAIL: cannot start %s (error %lu)\n", exe, ::GetLastError());
        return 1;
    }
    HWND window = nullptr;
    const DWORD deadline = ::GetTickCount() + 30000;
    while (!(window = Ready(process.dwProcessId, kelvane)) && ::GetTickCount() < deadline &&
           ::WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT) {
    }
    ::QueryPerformanceCounter(&end);
    if (!window) {
        std::printf("FAIL: %s showed no result\n", exe);
        ::TerminateProcess(process.hProcess, 1);
        return 1;
    }
    const double ms = 1000.0 * static_cast<double>(end.QuadPart - begin.QuadPart) / static_cast<double>(frequency.QuadPart);

    // Measured once it has painted and settled.
    ::Sleep(500);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);

    // Exit, as its cancel command.
    ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    DWORD code = STILL_ACTIVE;
    if (::WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(process.hProcess, &code);
    else
        ::TerminateProcess(process.hProcess, 1);
    const size_t privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;  // Wine: the latter
    std::printf("ready_ms=%.1f working_set_kb=%zu peak_working_set_kb=%zu private_kb=%zu exit=%lu\n", ms,
                static_cast<size_t>(memory.WorkingSetSize / 1024), static_cast<size_t>(memory.PeakWorkingSetSize / 1024),
                privateBytes / 1024, code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return code == 0 ? 0 : 1;
}
