// Random operations against the running form, from outside, checking after
// each one that the result box holds what the form can write and, where the
// inputs are plain numbers, the right value; at the end, that the process is
// alive and has not piled up window-system objects.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <winternl.h>

#include "form_access.h"
#include "probe_commands.h"
#include "result_check.h"

namespace probe {
namespace {

// The lists' numeric columns, as the rows' labels state them.
constexpr std::array<int, 10> kAudioRates = {320 / 8, 256 / 8, 224 / 8, 192 / 8, 160 / 8,
                                             128 / 8, 112 / 8, 96 / 8,  64 / 8,  56 / 8};
constexpr std::array<const char*, 4> kDiscMegabytes = {"650", "1300", "1950", "2600"};

struct Resources {
    DWORD user = 0, gdi = 0, windows = 0;
    size_t privateKB = 0, workingSetKB = 0;
};

// Wine answers GetGuiResources with 0. Its GDI handle table, like Windows',
// is in the process's memory where the PEB points (GdiSharedHandleTable);
// an entry in use has a non-zero type.
DWORD CountGdiTable(HANDLE process)
{
    struct Entry {
        UINT64 object;
        ULONG owner;
        USHORT unique;
        UCHAR type;
        UCHAR flags;
        UINT64 user;
    };
    static_assert(sizeof(Entry) == 24);
    constexpr size_t kEntries = 0x10000;
    constexpr size_t kTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    if (::NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, &length) != 0)
        return 0;
    void* table = nullptr;
    SIZE_T got = 0;
    if (!::ReadProcessMemory(process, reinterpret_cast<char*>(basic.PebBaseAddress) + kTableOffset, &table,
                             sizeof table, &got) || !table)
        return 0;
    static Entry entries[kEntries];
    if (!::ReadProcessMemory(process, table, entries, sizeof entries, &got))
        return 0;
    return static_cast<DWORD>(std::count_if(entries, entries + kEntries, [](const Entry& e) { return e.type != 0; }));
}

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<DWORD*>(count);
    return TRUE;
}

struct WindowCount {
    DWORD pid;
    DWORD count;
};

BOOL CALLBACK CountTopLevel(HWND hWnd, LPARAM lParam)
{
    auto* c = reinterpret_cast<WindowCount*>(lParam);
    if (ProcessOf(hWnd) == c->pid) {
        ++c->count;
        ::EnumChildWindows(hWnd, CountChild, reinterpret_cast<LPARAM>(&c->count));
    }
    return TRUE;
}

Resources Measure(HANDLE process, DWORD pid)
{
    Resources r;
    r.user = ::GetGuiResources(process, GR_USEROBJECTS);
    r.gdi = ::GetGuiResources(process, GR_GDIOBJECTS);
    if (r.gdi == 0)
        r.gdi = CountGdiTable(process);
    WindowCount c{pid, 0};
    ::EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&c));
    r.windows = c.count;
    PROCESS_MEMORY_COUNTERS_EX m{};
    m.cb = sizeof m;
    if (::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m), sizeof m)) {
        r.privateKB = static_cast<size_t>(std::max(m.PrivateUsage, m.PagefileUsage) / 1024);  // Wine fills only the latter
        r.workingSetKB = static_cast<size_t>(m.WorkingSetSize / 1024);
    }
    return r;
}

bool Fail(std::string& why, const std::string& reason)
{
    why = reason;
    return false;
}

enum class Kind { SetLength, SetSize, Paste, Audio, Discs, Spin, Tab, Typing };

struct Op {
    Kind kind = Kind::SetLength;
    int id = 0;          // the box, list or spin it acts on
    int row = 0;         // list row or tab index (-1: outside any tab)
    bool up = false;     // spin direction
    std::string text;    // written, pasted or typed
    std::string Describe() const
    {
        static const char* names[] = {"set length", "set size", "paste", "audio row", "discs row", "spin", "tab", "type"};
        std::string d = names[static_cast<int>(kind)];
        if (kind == Kind::Paste || kind == Kind::Typing || kind == Kind::Spin)
            d += id == IDC_LENGTH || id == IDC_LENGTH_SPIN ? " (length)" : " (size)";
        if (kind == Kind::Spin)
            d += up ? " up" : " down";
        if (kind == Kind::Audio || kind == Kind::Discs || kind == Kind::Tab)
            d += " " + std::to_string(row);
        if (!text.empty() || kind == Kind::SetLength || kind == Kind::SetSize)
            d += " \"" + text + "\"";
        return d;
    }
};

class Soak {
public:
    Soak(const Form& form, unsigned seed) : m_f(form), m_rng(seed), m_clipboardOwner(::CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}

    Op Next()
    {
        Op op;
        const int pick = Uniform(0, 99);
        if (pick < 25) {
            op.id = IDC_LENGTH;
            op.text = RandomText();
        } else if (pick < 40) {
            op.kind = Kind::SetSize;
            op.id = IDC_SIZE;
            op.text = RandomText();
        } else if (pick < 48) {
            op.kind = Kind::Paste;
            op.id = Uniform(0, 1) ? IDC_LENGTH : IDC_SIZE;
            op.text = RandomText().substr(0, 12);
        } else if (pick < 68) {
            op.kind = pick < 60 ? Kind::Audio : Kind::Discs;
            op.id = pick < 60 ? IDC_AUDIO : IDC_DISCS;
            op.row = Uniform(-1, 20);
        } else if (pick < 83) {
            op.kind = Kind::Spin;
            op.id = Uniform(0, 1) ? IDC_LENGTH_SPIN : IDC_SIZE_SPIN;
            op.up = Uniform(0, 1);
        } else if (pick < 91) {
            op.kind = Kind::Tab;
            op.id = IDC_TABS;
            op.row = Uniform(-1, 1);
        } else {
            op.kind = Kind::Typing;
            op.id = Uniform(0, 1) ? IDC_LENGTH : IDC_SIZE;
            static const char keys[] = "0123456789a-. e";
            for (int n = Uniform(1, 4); n > 0; --n)
                op.text += keys[Uniform(0, sizeof keys - 2)];
        }
        return op;
    }

    // Runs one operation and checks the form; false with a reason on a fault.
    bool Run(const Op& op, std::string& why)
    {
        const std::string before = Text(m_f.Item(IDC_RESULT));
        const std::string sizeBefore = Text(m_f.Item(IDC_SIZE));
        const std::string lengthBefore = Text(m_f.Item(IDC_LENGTH));
        const int pageBefore = ::IsWindowVisible(m_f.help) ? 1 : 0;
        const LRESULT rowBefore = op.kind == Kind::Audio || op.kind == Kind::Discs ? Send(m_f.Item(op.id), CB_GETCURSEL) : 0;
        bool recalculates = false, touchesLength = false;
        int shownRow = -1;

        switch (op.kind) {
        case Kind::SetLength:
        case Kind::SetSize:
            Send(m_f.Item(op.id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(op.text.c_str()));
            recalculates = true;
            touchesLength = op.kind == Kind::SetLength;
            break;
        case Kind::Paste:
            ++m_pastes;
            PutOnClipboard(op.text);
            Send(m_f.Item(op.id), EM_SETSEL, Uniform(0, 1) ? 0 : 0xFFFF, -1);
            Send(m_f.Item(op.id), WM_PASTE);
            touchesLength = op.id == IDC_LENGTH;
            break;
        case Kind::Audio:
        case Kind::Discs: {
            // What a user's choice sends: the page is the list's parent.
            HWND list = m_f.Item(op.id);
            Send(list, CB_SETCURSEL, static_cast<WPARAM>(op.row));
            // Out of range, Wine keeps the old row where Windows clears it.
            shownRow = static_cast<int>(Send(list, CB_GETCURSEL));
            const int rows = op.kind == Kind::Audio ? 10 : 4;
            if (op.row >= 0 && op.row < rows ? shownRow != op.row : shownRow != CB_ERR && shownRow != rowBefore)
                return Fail(why, "the list shows row " + std::to_string(shownRow) + " after selecting it");
            Send(::GetParent(list), WM_COMMAND, MAKEWPARAM(op.id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
            recalculates = shownRow >= 0 && shownRow < rows;
            if (recalculates && op.kind == Kind::Audio)
                m_audioRate = kAudioRates[static_cast<size_t>(shownRow)];
            break;
        }
        case Kind::Spin:
        case Kind::Tab:
        case Kind::Typing:
            if (!Posted(op, why))
                return false;
            touchesLength = op.id == IDC_LENGTH;
            break;
        }

        const std::string length = Text(m_f.Item(IDC_LENGTH));
        const std::string size = Text(m_f.Item(IDC_SIZE));
        const std::string result = Text(m_f.Item(IDC_RESULT));
        auto fail = [&](const std::string& reason) {
            why = reason + "; the form shows length \"" + length + "\", size \"" + size + "\", result \"" + result +
                  "\" (before: \"" + lengthBefore + "\", \"" + sizeBefore + "\", \"" + before + "\")";
            return false;
        };
        if (!::IsWindow(m_f.main))
            return fail("the main window is gone");
        if (!IsMessage(result) && !IsNumberText(result))
            return fail("the result box shows a text the form never writes");

        switch (op.kind) {
        case Kind::SetLength:
        case Kind::SetSize: {
            double minutes;
            if (op.kind == Kind::SetLength && PlainLength(op.text, minutes) && minutes == 666.0) {
                if (length != "120" || result != "Try Again!")
                    return fail("666 minutes must reset the length to 120 and say Try Again!");
                return true;
            }
            if ((op.kind == Kind::SetLength ? length : size) != op.text)
                return fail("the box does not hold the text written into it");
            break;
        }
        case Kind::Audio:
        case Kind::Discs: {
            if (Send(m_f.Item(op.id), CB_GETCURSEL) != shownRow)
                return fail("the selection notification moved the list");
            if (!recalculates && (result != before || size != sizeBefore))
                return fail("a choice with no row selected changed the form");
            if (recalculates && op.kind == Kind::Discs && size != kDiscMegabytes[static_cast<size_t>(shownRow)])
                return fail("a disc choice must write its megabyte figure");
            break;
        }
        case Kind::Spin: {
            const bool lengthSpin = op.id == IDC_LENGTH_SPIN;
            const std::string& buddyBefore = lengthSpin ? lengthBefore : sizeBefore;
            const int top = lengthSpin ? 500 : 9000;
            if (!lengthSpin && size != sizeBefore && !AllDigits(size))
                return fail("the megabyte spin wrote something other than digits");
            // From a number in its range the spin steps once, stopping at the ends.
            if (!buddyBefore.empty() && buddyBefore.size() <= 4 && AllDigits(buddyBefore) && buddyBefore[0] != '0') {
                const int n = std::atoi(buddyBefore.c_str());
                if (n <= top) {
                    const std::string want = std::to_string(std::clamp(n + (op.up ? 1 : -1), 1, top));
                    if ((lengthSpin ? length : size) != want)
                        return fail("a spin click from " + buddyBefore + " must give " + want);
                }
            }
            break;
        }
        case Kind::Tab: {
            const bool calcShown = ::IsWindowVisible(m_f.calc), helpShown = ::IsWindowVisible(m_f.help);
            if (calcShown == helpShown)
                return fail("not exactly one page is shown");
            const int want = op.row < 0 ? pageBefore : op.row;
            if ((helpShown ? 1 : 0) != want)
                return fail("the page shown is not the one of the tab clicked");
            if (result != before || length != lengthBefore || size != sizeBefore)
                return fail("a tab click changed the form");
            break;
        }
        default:
            break;
        }

        // The result follows the texts the boxes hold now, except right after
        // the special length, which leaves "Try Again!" standing over 120.
        if (result == "Try Again!") {
            if (length != "120")
                return fail("Try Again! with a length other than 120");
            double written;
            const bool plainOther = op.kind == Kind::SetLength && PlainLength(op.text, written) && written != 666.0;
            if (plainOther || (!touchesLength && (before != "Try Again!" || recalculates)))
                return fail("Try Again! without the special length");
            return true;
        }
        double minutes, bitrate = 0.0;
        int targetKB;
        if (PlainLength(length, minutes) && minutes != 666.0 && PlainSize(size, targetKB)) {
            ++m_checkedResults;
            const std::string want = ExpectedResult(minutes, m_audioRate, targetKB, bitrate);
            if (want.empty() ? !ShowsBitrate(result, bitrate) : result != want)
                return fail("wrong result: expected " + (want.empty() ? "about " + std::to_string(bitrate) : want));
        }
        return true;
    }

private:
    int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }

    std::string RandomText()
    {
        static const char* const odd[] = {
            "",     " ",      "-1",    "-5",    "-0.5",  "+7",    " 42",   "1e2",  "5E-1",  "1e400", "0x1A",
            "inf",  "nan",    "666",   "666.0", "500",   "501",   "0",     "12abc", ".",     "e",     "--3",
            "1,300", "0.5",   "00120", "9000",  "9001",  "-0",    "1.5e1", "4294967296", "2147483647", "99999999999"};
        switch (Uniform(0, 9)) {
        case 0:
        case 1:
        case 2:
        case 3: {  // what a user types: a plain number
            std::string s(1, static_cast<char>('1' + Uniform(0, 8)));
            for (int n = Uniform(0, 3); n > 0; --n)
                s += static_cast<char>('0' + Uniform(0, 9));
            return s;
        }
        case 4:
            return std::to_string(Uniform(0, 600)) + "." + std::to_string(Uniform(0, 999));
        case 5:
        case 6:
            return odd[Uniform(0, sizeof odd / sizeof *odd - 1)];
        case 7: {  // overlong
            static const char alphabet[] = "0123456789.+-eE x";
            std::string s;
            for (int n = Uniform(50, 400); n > 0; --n)
                s += alphabet[Uniform(0, sizeof alphabet - 2)];
            return s;
        }
        default: {  // anything printable
            std::string s;
            for (int n = Uniform(1, 20); n > 0; --n)
                s += static_cast<char>(Uniform(32, 126));
            return s;
        }
        }
    }

    void PutOnClipboard(const std::string& text)
    {
        if (!::OpenClipboard(m_clipboardOwner))
            return;
        ::EmptyClipboard();
        if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
            std::memcpy(::GlobalLock(memory), text.c_str(), text.size() + 1);
            ::GlobalUnlock(memory);
            if (!::SetClipboardData(CF_TEXT, memory))
                ::GlobalFree(memory);
        }
        ::CloseClipboard();
    }

    // Mouse presses and keystrokes arrive as posted messages. Posted messages
    // are handled in order, so once a selection change posted after them has
    // reached the result box, so have they.
    bool Posted(const Op& op, std::string& why)
    {
        HWND marker = m_f.Item(IDC_RESULT);
        Send(marker, EM_SETSEL, 0, 0);
        if (op.kind == Kind::Typing) {
            Send(m_f.Item(op.id), EM_SETSEL, Uniform(0, 1) ? 0 : 0xFFFF, -1);
            for (char c : op.text)
                ::PostMessageA(m_f.Item(op.id), WM_CHAR, static_cast<unsigned char>(c), 1);
        } else {
            HWND target = m_f.Item(op.id);
            RECT r{};
            if (op.kind == Kind::Spin) {
                ::GetClientRect(target, &r);
                r.top = op.up ? 0 : r.bottom * 3 / 4;
                r.bottom = op.up ? r.bottom / 4 : r.bottom;
            } else {
                target = m_f.tabs;
                if (op.row >= 0) {
                    if (!ItemScreenRect(target, TCM_GETITEMRECT, static_cast<WPARAM>(op.row), r)) {
                        why = "no rectangle for tab " + std::to_string(op.row);
                        return false;
                    }
                    ::MapWindowPoints(nullptr, target, reinterpret_cast<POINT*>(&r), 2);
                } else {  // the strip's body, below the tabs
                    ::GetClientRect(target, &r);
                    r.top = r.bottom - 4;
                }
            }
            const POINT p = Centre(r);
            ::PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
            ::PostMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        }
        ::PostMessageA(marker, EM_SETSEL, 0, 1);
        for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < kSendTimeoutMs; ::Sleep(1))
            if (Send(marker, EM_GETSEL) == MAKELONG(0, 1))
                return true;
        why = "the form did not handle a posted " + op.Describe() + " in time";
        return false;
    }

    Form m_f;
    std::mt19937 m_rng;
    HWND m_clipboardOwner;
    int m_audioRate = 128 / 8;  // the start-up row

public:
    long m_checkedResults = 0;  // results recomputed from the rule
    long m_pastes = 0;
};

void PrintResources(const char* when, const Resources& r)
{
    std::printf("  %-9s USER %4lu  GDI %4lu  windows %3lu  private %6zu KB  working set %6zu KB\n", when, r.user,
                r.gdi, r.windows, r.privateKB, r.workingSetKB);
}

}  // namespace
}  // namespace probe

int RunSoak(long ops, unsigned seed)
{
    using namespace probe;
    std::printf("soak: %ld operations, seed %u\n", ops, seed);
    std::fflush(stdout);
    Form f;
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 20000; ::Sleep(50)) {
        f = FindForm();
        if (f.Complete() && Text(f.Item(IDC_RESULT)) == "611.56")
            break;
    }
    if (!f.Complete()) {
        std::printf("FAIL: no Kelvane form to work on\n");
        return 1;
    }
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, f.pid);
    Soak soak(f, seed);
    // The first operations warm up caches, fonts and the clipboard.
    const long warmUp = std::min(ops / 10, 500L);
    Resources baseline = Measure(process, f.pid), last;
    const DWORD started = ::GetTickCount();
    for (long i = 0; i < ops; ++i) {
        const Op op = soak.Next();
        std::string why;
        if (!soak.Run(op, why)) {
            std::printf("FAIL at operation %ld (%s): %s\n", i + 1, op.Describe().c_str(), why.c_str());
            std::printf("rerun: kelvane_probe soak %ld %u\n", ops, seed);
            return 1;
        }
        if (i + 1 == warmUp)
            baseline = Measure(process, f.pid);
    }
    last = Measure(process, f.pid);
    const bool alive = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT && ::IsWindow(f.main);
    std::printf("%ld operations in %.1f s; the process is %s\n", ops, (::GetTickCount() - started) / 1000.0,
                alive ? "alive" : "GONE");
    std::printf("%ld results recomputed from the rule; the others checked for form\n", soak.m_checkedResults);
    PrintResources("warmed up", baseline);
    PrintResources("at end", last);
    // Wine keeps about 1 KB of every paste in the pasting process (a plain
    // edit box in a bare program does the same), so pastes get their own allowance.
    const size_t allowedKB = 4096 + static_cast<size_t>(soak.m_pastes) * 3 / 2;
    const bool kept = last.user <= baseline.user + 8 && last.gdi <= baseline.gdi + 8 &&
                      last.windows <= baseline.windows && last.privateKB <= baseline.privateKB + allowedKB;
    std::printf("  private memory may grow by %zu KB (%ld pastes)\n", allowedKB, soak.m_pastes);
    if (baseline.user == 0)
        std::printf("  (Wine counts no USER objects: the windows stand in; GDI from the process's handle table)\n");
    if (baseline.gdi == 0 || baseline.windows == 0) {
        std::printf("FAIL: the program's objects could not be counted\n");
        return 1;
    }
    ::CloseHandle(process);
    if (!alive || !kept) {
        std::printf("FAIL: %s\n", alive ? "window-system objects or memory grew" : "the program died");
        return 1;
    }
    std::printf("PASS\n");
    return 0;
}
