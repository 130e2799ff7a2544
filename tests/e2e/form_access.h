#pragma once

// Reaching Kelvane's windows from another process. Only messages whose data
// Wine carries across processes (WM_GETTEXT, WM_SETTEXT, plain numbers) are
// sent; messages that fill a structure get a buffer inside the target.

#include <cstring>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include "res/resource.h"

namespace probe {

// A target blocked for longer than this (a hung form) fails the read.
constexpr UINT kSendTimeoutMs = 5000;

inline bool SendTimed(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    DWORD_PTR r = 0;
    if (!::SendMessageTimeoutA(hWnd, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &r))
        return false;
    result = static_cast<LRESULT>(r);
    return true;
}

inline LRESULT Send(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    LRESULT result = -1;
    SendTimed(hWnd, message, wParam, lParam, result);
    return result;
}

// GetWindowText of another process's edit box returns "": ask the box itself.
inline std::string Text(HWND hWnd)
{
    static char text[65536];
    text[0] = '\0';
    LRESULT result;
    if (!hWnd || !SendTimed(hWnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), result))
        return "<unreadable>";
    return text;
}

inline std::string ClassName(HWND hWnd)
{
    char name[64] = {};
    ::GetClassNameA(hWnd, name, sizeof name);
    return name;
}

inline DWORD ProcessOf(HWND hWnd)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    return pid;
}

// Whether the process runs that program: the test programs of the same
// Wine session show "Kelvane" windows too.
inline bool RunsProgram(DWORD pid, const char* exeName)
{
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!process)
        return false;
    char path[MAX_PATH] = {};
    const DWORD length = ::GetProcessImageFileNameA(process, path, sizeof path);
    ::CloseHandle(process);
    const std::string name(path, length);
    const size_t slash = name.find_last_of("\\/");
    return ::lstrcmpiA(name.substr(slash == std::string::npos ? 0 : slash + 1).c_str(), exeName) == 0;
}

struct TopLevelQuery {
    const char* caption;
    const char* className;
    DWORD pid;  // 0: any process running kelvane.exe
    bool visibleOnly;
    HWND found;
};

inline BOOL CALLBACK MatchTopLevel(HWND hWnd, LPARAM lParam)
{
    auto* q = reinterpret_cast<TopLevelQuery*>(lParam);
    if (q->visibleOnly && !::IsWindowVisible(hWnd))
        return TRUE;
    if (q->className && ClassName(hWnd) != q->className)
        return TRUE;
    if (q->caption) {
        // Top-level captions are kept by the window manager side: readable directly.
        char text[256] = {};
        ::GetWindowTextA(hWnd, text, sizeof text);
        if (std::string(text) != q->caption)
            return TRUE;
    }
    // Last: the cheap tests above rule out nearly every window.
    if (q->pid ? ProcessOf(hWnd) != q->pid : !RunsProgram(ProcessOf(hWnd), "kelvane.exe"))
        return TRUE;
    q->found = hWnd;
    return FALSE;
}

inline HWND FindTopLevel(const char* caption, const char* className, DWORD pid, bool visibleOnly)
{
    TopLevelQuery q{caption, className, pid, visibleOnly, nullptr};
    ::EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&q));
    return q.found;
}

// The running program's windows, as far as they exist yet.
struct Form {
    DWORD pid = 0;
    HWND main = nullptr;
    HWND tabs = nullptr;
    HWND calc = nullptr;  // the calculator page
    HWND help = nullptr;  // the help page

    HWND Item(int id) const { return ::GetDlgItem(calc, id); }
    bool Complete() const { return main && tabs && calc && help; }
};

// pid 0: the kelvane.exe process showing a "Kelvane" main window.
inline Form FindForm(DWORD pid = 0)
{
    Form f;
    f.main = FindTopLevel("Kelvane", "#32770", pid, false);
    if (!f.main)
        return f;
    f.pid = ProcessOf(f.main);
    f.tabs = ::GetDlgItem(f.main, IDC_TABS);
    for (HWND child = f.tabs ? ::GetWindow(f.tabs, GW_CHILD) : nullptr; child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgItem(child, IDC_LENGTH))
            f.calc = child;
        else if (::GetDlgItem(child, IDC_HELP_TEXT))
            f.help = child;
    }
    return f;
}

inline HWND FindAbout(DWORD pid)
{
    return FindTopLevel("About Kelvane", "#32770", pid, true);
}

// A buffer inside the target process, for messages that fill a structure.
class RemoteBuffer {
public:
    RemoteBuffer(HWND target, SIZE_T size) : m_size(size)
    {
        m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(target));
        if (m_process)
            m_address = ::VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer()
    {
        if (m_address)
            ::VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
        if (m_process)
            ::CloseHandle(m_process);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    LPARAM Address() const { return reinterpret_cast<LPARAM>(m_address); }
    bool Read(void* out) const
    {
        SIZE_T got = 0;
        return m_address && ::ReadProcessMemory(m_process, m_address, out, m_size, &got) && got == m_size;
    }
    bool Write(const void* in) const
    {
        SIZE_T got = 0;
        return m_address && ::WriteProcessMemory(m_process, m_address, in, m_size, &got) && got == m_size;
    }

private:
    HANDLE m_process = nullptr;
    void* m_address = nullptr;
    SIZE_T m_size;
};

inline INT_PTR CALLBACK ReplicaProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// A 32-bit program run by qemu's user-mode emulator keeps its memory where
// other processes' reads and writes do not reach, so a buffer there never
// receives the tab's rectangle. Then the same main window is built here,
// hidden, from the program's own template, given the same two tabs, and
// asked instead: same template, font and tab control, same rectangles.
inline bool ReplicaTabRect(HWND tabs, WPARAM index, RECT& rect)
{
    // The program's own file; the headers of the Windows we build for lack
    // this call, which every Wine has.
    using QueryImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);
    const auto queryImageName = reinterpret_cast<QueryImageName>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameA")));
    char path[MAX_PATH] = {};
    DWORD length = sizeof path;
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, ProcessOf(tabs));
    const bool named = process && queryImageName && queryImageName(process, 0, path, &length);
    if (process)
        ::CloseHandle(process);
    HMODULE exe = named ? ::LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)
                        : nullptr;
    HRSRC found = exe ? ::FindResourceA(exe, MAKEINTRESOURCEA(IDD_MAIN), MAKEINTRESOURCEA(5)) : nullptr;  // RT_DIALOG
    const DWORD size = found ? ::SizeofResource(exe, found) : 0;
    const void* data = found ? ::LockResource(::LoadResource(exe, found)) : nullptr;
    bool ok = false;
    if (data && size >= 16) {
        std::vector<DWORD> copy((size + 3) / 4);  // templates must be DWORD-aligned
        std::memcpy(copy.data(), data, size);
        // DLGTEMPLATEEX (signature 0xFFFF) puts version, signature, help id
        // and extended style before the style; DLGTEMPLATE starts with it.
        const bool extended = reinterpret_cast<const WORD*>(copy.data())[1] == 0xFFFF;
        copy[extended ? 3 : 0] &= ~static_cast<DWORD>(WS_VISIBLE);
        HWND dialog = ::CreateDialogIndirectParamA(exe, reinterpret_cast<const DLGTEMPLATE*>(copy.data()), nullptr,
                                                   ReplicaProc, 0);
        HWND replica = dialog ? ::GetDlgItem(dialog, IDC_TABS) : nullptr;
        for (const char* text : {"Calculate", "Help"}) {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(text);
            ::SendMessageA(replica, TCM_INSERTITEMA, static_cast<WPARAM>(::SendMessageA(replica, TCM_GETITEMCOUNT, 0, 0)),
                           reinterpret_cast<LPARAM>(&item));
        }
        ::SendMessageA(replica, TCM_SETCURSEL, static_cast<WPARAM>(::SendMessageA(tabs, TCM_GETCURSEL, 0, 0)), 0);
        ok = replica && ::SendMessageA(replica, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
        if (dialog)
            ::DestroyWindow(dialog);
    }
    if (exe)
        ::FreeLibrary(exe);
    return ok;
}

// TCM_GETITEMRECT / LB_GETITEMRECT: the rectangle in the control's client
// coordinates, turned into screen coordinates. Wine carries LB_GETITEMRECT's
// rectangle across processes itself; the tab control's needs a buffer there.
inline bool ItemScreenRect(HWND control, UINT message, WPARAM index, RECT& rect)
{
    LRESULT ok = 0;
    if (message == LB_GETITEMRECT) {
        // FALSE (yet the rectangle) for a row scrolled out of sight; LB_ERR for no row.
        if (!SendTimed(control, message, index, reinterpret_cast<LPARAM>(&rect), ok) || ok == LB_ERR)
            return false;
    } else {
        RemoteBuffer buffer(control, sizeof(RECT));
        const RECT unwritten{-1, -1, -1, -1};
        if (!buffer.Write(&unwritten) || !SendTimed(control, message, index, buffer.Address(), ok) || ok <= 0 ||
            !buffer.Read(&rect))
            return false;
        if (std::memcmp(&rect, &unwritten, sizeof rect) == 0 && !ReplicaTabRect(control, index, rect))
            return false;
    }
    ::MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return true;
}

inline POINT Centre(const RECT& r)
{
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace probe
