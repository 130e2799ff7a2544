// Checks the compiled resources linked into this executable: every template,
// list row, string, icon, picture, the sound and the version record, read
// back through the same Win32 calls the program uses, plus the raw bytes
// where the layout itself matters (dialog templates, list data, wave header).

#include <windows.h>
#include <commctrl.h>  // style constants only: nothing is linked
#include <mmsystem.h>  // WAVE_FORMAT_PCM

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "resource.h"

namespace {

HMODULE Module() { return GetModuleHandleA(nullptr); }

struct Blob {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

Blob FindBlob(LPCSTR name, LPCSTR type) {
    Blob blob;
    HRSRC info = FindResourceA(Module(), name, type);
    if (!info) return blob;
    HGLOBAL handle = LoadResource(Module(), info);
    if (!handle) return blob;
    blob.data = static_cast<const BYTE*>(LockResource(handle));
    blob.size = blob.data ? SizeofResource(Module(), info) : 0;
    return blob;
}

// Little-endian reader over a resource; reading past the end sets failed
// and yields zeros, so a truncated resource fails the checks, not the test run.
class Reader {
public:
    Reader(const BYTE* data, size_t size) : data_(data), size_(size) {}

    size_t Pos() const { return pos_; }
    bool Failed() const { return failed_; }
    void Seek(size_t pos) { pos_ = pos; }
    void AlignDword() { pos_ = (pos_ + 3) & ~size_t{3}; }

    BYTE Byte() { return Take(1) ? data_[pos_ - 1] : 0; }
    WORD Word() {
        if (!Take(2)) return 0;
        return static_cast<WORD>(data_[pos_ - 2] | data_[pos_ - 1] << 8);
    }
    DWORD Dword() {
        WORD lo = Word();
        WORD hi = Word();
        return lo | static_cast<DWORD>(hi) << 16;
    }
    short Short() { return static_cast<short>(Word()); }

    // A zero-terminated UTF-16 string, narrowed: all our texts are ASCII.
    std::string WideString() {
        std::string s;
        for (WORD c = Word(); c != 0 && !failed_; c = Word())
            s += c < 0x80 ? static_cast<char>(c) : '?';
        return s;
    }
    std::string AnsiString(size_t bytes) {
        if (!Take(bytes)) return {};
        return std::string(reinterpret_cast<const char*>(data_ + pos_ - bytes), bytes);
    }

    // Dialog templates hold either an ordinal (0xFFFF, value) or a string.
    void StringOrOrdinal(std::string& text, int& ordinal) {
        text.clear();
        ordinal = 0;
        WORD first = Word();
        if (first == 0xFFFF) {
            ordinal = Word();
        } else if (first != 0) {
            Seek(pos_ - 2);
            text = WideString();
        }
    }

private:
    bool Take(size_t n) {
        if (failed_ || pos_ + n > size_) {
            failed_ = true;
            return false;
        }
        pos_ += n;
        return true;
    }

    const BYTE* data_;
    size_t size_;
    size_t pos_ = 0;
    bool failed_ = false;
};

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// ---------------------------------------------------------------------------
// Identifier values shared with the code

struct IdValue {
    const char* name;
    int value;
    int expected;
};

const IdValue kIds[] = {
    {"IDM_ABOUTBOX", IDM_ABOUTBOX, 0x0010},
    {"IDD_ABOUTBOX", IDD_ABOUTBOX, 100},
    {"IDD_CALCULATE_PAGE", IDD_CALCULATE_PAGE, 101},
    {"IDS_ABOUTBOX", IDS_ABOUTBOX, 101},
    {"IDD_MAIN", IDD_MAIN, 102},
    {"IDD_HELP_PAGE", IDD_HELP_PAGE, 103},
    {"IDR_MAINFRAME", IDR_MAINFRAME, 128},
    {"IDI_SIZE", IDI_SIZE, 131},
    {"IDI_LENGTH", IDI_LENGTH, 132},
    {"IDI_RESULT", IDI_RESULT, 133},
    {"IDI_AUDIO", IDI_AUDIO, 134},
    {"IDB_ABOUT", IDB_ABOUT, 138},
    {"IDB_BANNER", IDB_BANNER, 140},
    {"IDR_ALERT_SOUND", IDR_ALERT_SOUND, 150},
    {"IDC_TABS", IDC_TABS, 1000},
    {"IDC_LENGTH", IDC_LENGTH, 1001},
    {"IDC_AUDIO", IDC_AUDIO, 1003},
    {"IDC_RESULT", IDC_RESULT, 1004},
    {"IDC_HELP_TEXT", IDC_HELP_TEXT, 1005},
    {"IDC_LENGTH_SPIN", IDC_LENGTH_SPIN, 1006},
    {"IDC_ABOUT", IDC_ABOUT, 1007},
    {"IDC_SIZE", IDC_SIZE, 1008},
    {"IDC_DISCS", IDC_DISCS, 1009},
    {"IDC_SIZE_SPIN", IDC_SIZE_SPIN, 1010},
    {"IDC_STATIC", IDC_STATIC, -1},
};

TEST(ResourceIds, HaveTheirAgreedValues) {
    for (const IdValue& id : kIds) EXPECT_EQ(id.value, id.expected) << id.name;
}

// ---------------------------------------------------------------------------
// Dialog templates

struct Control {
    int id = 0;
    std::string cls;  // lower case; predefined ordinals mapped to their names
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string text;
    int image = 0;  // resource ordinal given as the text (pictures, icons)
};

struct Dialog {
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    short cx = 0, cy = 0;
    std::string caption;
    WORD pointSize = 0;
    std::string face;
    std::vector<Control> controls;
    bool failed = false;
};

std::string PredefinedClass(int ordinal) {
    switch (ordinal) {
        case 0x80: return "button";
        case 0x81: return "edit";
        case 0x82: return "static";
        case 0x83: return "listbox";
        case 0x84: return "scrollbar";
        case 0x85: return "combobox";
        default: return "#" + std::to_string(ordinal);
    }
}

// Reads DLGTEMPLATE and DLGTEMPLATEEX alike.
Dialog ParseDialog(const Blob& blob) {
    Dialog d;
    Reader r(blob.data, blob.size);
    d.extended = r.Word() == 1 && r.Word() == 0xFFFF;
    WORD count;
    if (d.extended) {
        r.Dword();  // help id
        d.exStyle = r.Dword();
        d.style = r.Dword();
    } else {
        r.Seek(0);
        d.style = r.Dword();
        d.exStyle = r.Dword();
    }
    count = r.Word();
    r.Short();  // x
    r.Short();  // y
    d.cx = r.Short();
    d.cy = r.Short();
    std::string text;
    int ordinal;
    r.StringOrOrdinal(text, ordinal);  // menu
    r.StringOrOrdinal(text, ordinal);  // class
    r.StringOrOrdinal(d.caption, ordinal);
    if (d.style & DS_SETFONT) {
        d.pointSize = r.Word();
        if (d.extended) {
            r.Word();  // weight
            r.Byte();  // italic
            r.Byte();  // charset
        }
        d.face = r.WideString();
    }
    for (WORD i = 0; i < count && !r.Failed(); ++i) {
        Control c;
        r.AlignDword();
        if (d.extended) {
            r.Dword();  // help id
            c.exStyle = r.Dword();
            c.style = r.Dword();
        } else {
            c.style = r.Dword();
            c.exStyle = r.Dword();
        }
        c.x = r.Short();
        c.y = r.Short();
        c.cx = r.Short();
        c.cy = r.Short();
        if (d.extended) {
            c.id = static_cast<int>(r.Dword());
        } else {
            c.id = static_cast<short>(r.Word());
        }
        r.StringOrOrdinal(c.cls, ordinal);
        c.cls = ordinal ? PredefinedClass(ordinal) : Lower(c.cls);
        r.StringOrOrdinal(c.text, c.image);
        const WORD extra = r.Word();  // creation data, unused by our templates
        r.Seek(r.Pos() + extra);
        d.controls.push_back(c);
    }
    d.failed = r.Failed();
    return d;
}

Dialog LoadDialog(int id) { return ParseDialog(FindBlob(MAKEINTRESOURCEA(id), RT_DIALOG)); }

struct DialogCase {
    int id;
    bool extended;
    DWORD style;
    DWORD exStyle;
    short cx, cy;
    const char* caption;
};

const DialogCase kDialogs[] = {
    {IDD_ABOUTBOX, false, DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0,
     167, 191, "About Kelvane"},
    {IDD_CALCULATE_PAGE, false, DS_SETFONT | DS_CONTROL | WS_CHILD, 0, 186, 120, ""},
    {IDD_MAIN, true,
     DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU |
         WS_MINIMIZEBOX,
     WS_EX_APPWINDOW, 202, 170, "Kelvane"},
    {IDD_HELP_PAGE, true, DS_SETFONT | DS_CONTROL | WS_CHILD, 0, 185, 121, ""},
};

TEST(DialogTemplates, HeadersAreAsDesigned) {
    for (const DialogCase& want : kDialogs) {
        SCOPED_TRACE("dialog " + std::to_string(want.id));
        ASSERT_NE(FindResourceA(Module(), MAKEINTRESOURCEA(want.id), RT_DIALOG), nullptr);
        Dialog d = LoadDialog(want.id);
        EXPECT_FALSE(d.failed);
        EXPECT_EQ(d.extended, want.extended);
        EXPECT_EQ(d.style, want.style) << std::hex << d.style;
        EXPECT_EQ(d.exStyle, want.exStyle) << std::hex << d.exStyle;
        EXPECT_EQ(d.cx, want.cx);
        EXPECT_EQ(d.cy, want.cy);
        EXPECT_EQ(d.caption, want.caption);
        EXPECT_EQ(d.pointSize, 8);
        EXPECT_EQ(d.face, "MS Sans Serif");
    }
}

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kSpin = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS |
                        UDS_HOTTRACK;
constexpr DWORD kList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;

struct ControlCase {
    int dialog;
    int id;
    const char* cls;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
    const char* text;  // nullptr: free wording, checked by its own test
    int image;
};

// Every control of every template, in template order.
const ControlCase kControls[] = {
    {IDD_MAIN, IDCANCEL, "button", kChild | BS_PUSHBUTTON | BS_FLAT | WS_TABSTOP, 0,
     165, 150, 30, 15, "Exit", 0},
    {IDD_MAIN, IDC_TABS, "systabcontrol32", kChild | TCS_FIXEDWIDTH | TCS_HOTTRACK,
     WS_EX_CONTROLPARENT, 5, 5, 190, 135, "Tab1", 0},
    {IDD_MAIN, IDC_STATIC, "static", kChild | SS_BITMAP | SS_SUNKEN, 0,
     5, 145, 118, 20, "", IDB_BANNER},
    {IDD_MAIN, IDC_ABOUT, "button", kChild | BS_PUSHBUTTON | BS_FLAT | WS_TABSTOP, 0,
     130, 150, 30, 15, "About", 0},

    {IDD_ABOUTBOX, IDC_STATIC, "static", kChild | SS_CENTER | SS_NOPREFIX | WS_GROUP, 0,
     50, 75, 60, 20, nullptr, 0},
    {IDD_ABOUTBOX, IDOK, "button",
     kChild | BS_DEFPUSHBUTTON | BS_FLAT | WS_GROUP | WS_TABSTOP, 0,
     60, 170, 50, 14, "OK, I Agree", 0},
    {IDD_ABOUTBOX, IDC_STATIC, "static", kChild | SS_BITMAP | SS_SUNKEN, 0,
     0, 0, 168, 63, "", IDB_ABOUT},
    {IDD_ABOUTBOX, IDC_STATIC, "static", kChild | SS_CENTER | WS_GROUP, 0,
     10, 95, 145, 65, nullptr, 0},
    {IDD_ABOUTBOX, IDC_STATIC, "button", kChild | BS_GROUPBOX, 0, 5, 65, 155, 100, "", 0},

    {IDD_CALCULATE_PAGE, IDC_LENGTH, "edit", kChild | ES_NUMBER | WS_BORDER | WS_TABSTOP, 0,
     129, 14, 35, 12, "", 0},
    {IDD_CALCULATE_PAGE, IDC_LENGTH_SPIN, "msctls_updown32", kChild | kSpin, 0,
     162, 16, 11, 10, "Spin1", 0},
    {IDD_CALCULATE_PAGE, IDC_DISCS, "combobox", kChild | kList, 0, 46, 40, 38, 53, "", 0},
    {IDD_CALCULATE_PAGE, IDC_SIZE, "edit", kChild | ES_NUMBER | WS_BORDER | WS_TABSTOP, 0,
     102, 40, 35, 12, "", 0},
    {IDD_CALCULATE_PAGE, IDC_SIZE_SPIN, "msctls_updown32", kChild | kSpin | UDS_NOTHOUSANDS, 0,
     133, 41, 10, 11, "Spin2", 0},
    {IDD_CALCULATE_PAGE, IDC_AUDIO, "combobox", kChild | kList, 0, 45, 65, 119, 70, "", 0},
    {IDD_CALCULATE_PAGE, IDC_RESULT, "edit",
     kChild | ES_READONLY | ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0,
     45, 95, 35, 12, "", 0},
    {IDD_CALCULATE_PAGE, IDC_STATIC, "static", kChild | SS_LEFT | WS_GROUP, 0,
     45, 15, 70, 8, "Enter the length (min):", 0},
    {IDD_CALCULATE_PAGE, IDC_STATIC, "static", kChild | SS_ICON, 0, 15, 10, 20, 20, "", IDI_LENGTH},
    {IDD_CALCULATE_PAGE, IDC_STATIC, "static", kChild | SS_ICON, 0, 15, 33, 20, 20, "", IDI_SIZE},
    {IDD_CALCULATE_PAGE, IDC_STATIC, "static", kChild | SS_ICON, 0, 15, 60, 20, 20, "", IDI_AUDIO},
    {IDD_CALCULATE_PAGE, IDC_STATIC, "static", kChild | SS_ICON, 0, 15, 87, 20, 20, "", IDI_RESULT},
    {IDD_CALCULATE_PAGE, IDC_STATIC, "static", kChild | SS_LEFT | WS_GROUP, 0,
     45, 30, 75, 8, "Enter the file size:", 0},
    {IDD_CALCULATE_PAGE, IDC_STATIC, "static", kChild | SS_LEFT | WS_GROUP, 0,
     45, 55, 85, 10, "Choose the sound quality:", 0},
    {IDD_CALCULATE_PAGE, IDC_STATIC, "static", kChild | SS_LEFT | WS_GROUP, 0,
     45, 83, 90, 8, "Please encode the video at:", 0},
    {IDD_CALCULATE_PAGE, IDC_STATIC, "button", kChild | BS_GROUPBOX, 0, 5, 0, 175, 115, "", 0},
    {IDD_CALCULATE_PAGE, IDC_STATIC, "static", kChild | SS_LEFT | WS_GROUP, 0,
     85, 98, 35, 9, "kBit/sec", 0},
    {IDD_CALCULATE_PAGE, IDC_STATIC, "static", kChild | SS_LEFT | WS_GROUP, 0,
     88, 42, 10, 10, "or", 0},
    {IDD_CALCULATE_PAGE, IDC_STATIC, "static", kChild | SS_LEFT | WS_GROUP, 0,
     140, 42, 14, 10, "MB", 0},

    {IDD_HELP_PAGE, IDC_STATIC, "button", kChild | BS_GROUPBOX, 0, 5, 0, 175, 115, "", 0},
    {IDD_HELP_PAGE, IDC_HELP_TEXT, "edit",
     kChild | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | WS_VSCROLL, WS_EX_CLIENTEDGE,
     10, 10, 165, 100, "", 0},
};

TEST(DialogTemplates, ControlsAreAsDesignedAndInOrder) {
    for (const DialogCase& dialog : kDialogs) {
        SCOPED_TRACE("dialog " + std::to_string(dialog.id));
        std::vector<const ControlCase*> wanted;
        for (const ControlCase& c : kControls)
            if (c.dialog == dialog.id) wanted.push_back(&c);
        Dialog d = LoadDialog(dialog.id);
        ASSERT_EQ(d.controls.size(), wanted.size());
        for (size_t i = 0; i < wanted.size(); ++i) {
            const ControlCase& want = *wanted[i];
            const Control& got = d.controls[i];
            SCOPED_TRACE("control #" + std::to_string(i) + " id " + std::to_string(want.id));
            EXPECT_EQ(got.id, want.id);
            EXPECT_EQ(got.cls, want.cls);
            EXPECT_EQ(got.style, want.style) << std::hex << got.style << " vs " << want.style;
            EXPECT_EQ(got.exStyle, want.exStyle) << std::hex << got.exStyle;
            EXPECT_EQ(got.x, want.x);
            EXPECT_EQ(got.y, want.y);
            EXPECT_EQ(got.cx, want.cx);
            EXPECT_EQ(got.cy, want.cy);
            if (want.text) {
                EXPECT_EQ(got.text, want.text);
            }
            EXPECT_EQ(got.image, want.image);
        }
    }
}

std::vector<std::string> Split(const std::string& s, const std::string& sep) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = s.find(sep, start)) != std::string::npos; start = at + sep.size())
        parts.push_back(s.substr(start, at - start));
    parts.push_back(s.substr(start));
    return parts;
}

// The About box's two free-worded texts: fixed openings, line feeds only.
TEST(DialogTemplates, AboutTextsAreLaidOutWithLineFeeds) {
    Dialog d = LoadDialog(IDD_ABOUTBOX);
    ASSERT_EQ(d.controls.size(), 5u);

    const std::string version = d.controls[0].text;
    EXPECT_EQ(version.find('\r'), std::string::npos);
    std::vector<std::string> lines = Split(version, "\n");
    ASSERT_EQ(lines.size(), 2u) << version;
    EXPECT_EQ(lines[0], "Version 1.0");
    EXPECT_FALSE(lines[1].empty());

    const std::string note = d.controls[3].text;
    EXPECT_EQ(note.find('\r'), std::string::npos);
    std::vector<std::string> paragraphs = Split(note, "\n\n");
    ASSERT_EQ(paragraphs.size(), 4u) << note;
    EXPECT_EQ(paragraphs[0], "Thank you for using this program!");
    EXPECT_EQ(paragraphs[1], "It has been tested on Win9x, NT4 and 2000");
    EXPECT_EQ(paragraphs[2].rfind("Author E-Mail: ", 0), 0u) << paragraphs[2];
    EXPECT_GT(paragraphs[2].size(), std::strlen("Author E-Mail: "));
    EXPECT_FALSE(paragraphs[3].empty());
    for (const std::string& p : paragraphs) EXPECT_EQ(p.find('\n'), std::string::npos) << p;
}

// ---------------------------------------------------------------------------
// List rows of the calculator page

constexpr WORD kAddString = 0x0403;  // CB_ADDSTRING
constexpr DWORD kDlgInitSize = 452;

const std::pair<int, const char*> kListRows[] = {
    {IDC_DISCS, "1 CD"},
    {IDC_DISCS, "2 CDs"},
    {IDC_DISCS, "3 CDs"},
    {IDC_DISCS, "4 CDs"},
    {IDC_AUDIO, "320 kBit/sec, Stereo - 40kb/sec"},
    {IDC_AUDIO, "256 kBit/sec, Stereo - 32kb/sec"},
    {IDC_AUDIO, "224 kBit/sec, Stereo - 28kb/sec"},
    {IDC_AUDIO, "192 kBit/sec, Stereo - 24kb/sec"},
    {IDC_AUDIO, "160 kBit/sec, Stereo - 20kb/sec"},
    {IDC_AUDIO, "128 kBit/sec, Stereo - 16kb/sec"},
    {IDC_AUDIO, "112 kBit/sec, Stereo - 14kb/sec"},
    {IDC_AUDIO, "96 kBit/sec, Stereo - 12kb/sec"},
    {IDC_AUDIO, "64 kBit/sec, Stereo - 8kb/sec"},
    {IDC_AUDIO, "56 kBit/sec, Stereo - 7kb/sec"},
};

TEST(ListData, HoldsEveryRowInOrder) {
    Blob blob = FindBlob(MAKEINTRESOURCEA(IDD_CALCULATE_PAGE), MAKEINTRESOURCEA(240));
    ASSERT_NE(blob.data, nullptr);
    EXPECT_EQ(blob.size, kDlgInitSize);

    Reader r(blob.data, blob.size);
    std::vector<std::pair<int, std::string>> rows;
    for (WORD id = r.Word(); id != 0 && !r.Failed(); id = r.Word()) {
        EXPECT_EQ(r.Word(), kAddString);
        DWORD length = r.Dword();
        std::string bytes = r.AnsiString(length);
        ASSERT_FALSE(r.Failed());
        ASSERT_GE(length, 1u);
        EXPECT_EQ(bytes.back(), '\0') << "row " << rows.size();
        rows.emplace_back(id, std::string(bytes.c_str()));
        EXPECT_EQ(rows.back().second.size() + 1, length) << "row " << rows.size() - 1;
    }
    EXPECT_FALSE(r.Failed());
    EXPECT_EQ(r.Pos(), blob.size) << "data after the end marker";

    ASSERT_EQ(rows.size(), std::size(kListRows));
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].first, kListRows[i].first) << "row " << i;
        EXPECT_EQ(rows[i].second, kListRows[i].second) << "row " << i;
    }
}

// ---------------------------------------------------------------------------
// Strings

TEST(Strings, AboutEntryText) {
    char text[64] = {};
    int n = LoadStringA(Module(), IDS_ABOUTBOX, text, sizeof text);
    EXPECT_EQ(n, 17);
    EXPECT_STREQ(text, "&About Kelvane...");
}

// ---------------------------------------------------------------------------
// Icons

struct IconCase {
    int id;
    std::vector<int> sizes;  // every image in the group, in any order
};

const IconCase kIcons[] = {
    {IDR_MAINFRAME, {32, 16}},
    {IDI_SIZE, {32}},
    {IDI_LENGTH, {32}},
    {IDI_RESULT, {32}},
    {IDI_AUDIO, {32}},
};

TEST(Icons, GroupsHoldSixteenColourImagesOfTheRightSizes) {
    for (const IconCase& icon : kIcons) {
        SCOPED_TRACE("icon " + std::to_string(icon.id));
        Blob group = FindBlob(MAKEINTRESOURCEA(icon.id), RT_GROUP_ICON);
        ASSERT_NE(group.data, nullptr);
        Reader r(group.data, group.size);
        r.Word();                  // reserved
        EXPECT_EQ(r.Word(), 1);    // icons, not cursors
        WORD count = r.Word();
        ASSERT_EQ(count, icon.sizes.size());
        std::vector<int> found;
        for (WORD i = 0; i < count; ++i) {
            int width = r.Byte();
            int height = r.Byte();
            r.Byte();  // colour count
            r.Byte();  // reserved
            r.Word();  // planes
            r.Word();  // bit count
            r.Dword(); // bytes
            WORD imageId = r.Word();
            ASSERT_FALSE(r.Failed());
            EXPECT_EQ(width, height);
            found.push_back(width);

            Blob image = FindBlob(MAKEINTRESOURCEA(imageId), RT_ICON);
            ASSERT_GE(image.size, sizeof(BITMAPINFOHEADER));
            BITMAPINFOHEADER header;
            std::memcpy(&header, image.data, sizeof header);
            EXPECT_EQ(header.biWidth, width);
            EXPECT_EQ(header.biHeight, 2 * height);  // colour and mask stacked
            EXPECT_EQ(header.biBitCount, 4);
        }
        for (int size : icon.sizes)
            EXPECT_NE(std::find(found.begin(), found.end(), size), found.end()) << size;
    }
}

TEST(Icons, LoadAtEachSize) {
    for (const IconCase& icon : kIcons) {
        for (int size : icon.sizes) {
            SCOPED_TRACE("icon " + std::to_string(icon.id) + " at " + std::to_string(size));
            HICON h = static_cast<HICON>(
                LoadImageA(Module(), MAKEINTRESOURCEA(icon.id), IMAGE_ICON, size, size, 0));
            ASSERT_NE(h, nullptr);
            ICONINFO info = {};
            ASSERT_TRUE(GetIconInfo(h, &info));
            BITMAP mask = {};
            ASSERT_NE(GetObjectA(info.hbmMask, sizeof mask, &mask), 0);
            EXPECT_EQ(mask.bmWidth, size);
            EXPECT_TRUE(info.fIcon);
            if (info.hbmColor) DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(h);
        }
    }
    // The plain loader the main window uses finds the application icon too.
    EXPECT_NE(LoadIconA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME)), nullptr);
}

// ---------------------------------------------------------------------------
// Pictures

struct PictureCase {
    int id;
    LONG width;
    LONG height;
};

const PictureCase kPictures[] = {
    {IDB_ABOUT, 250, 100},
    {IDB_BANNER, 175, 30},
};

TEST(Pictures, AreTrueColourAtTheirSizes) {
    for (const PictureCase& picture : kPictures) {
        SCOPED_TRACE("bitmap " + std::to_string(picture.id));
        HBITMAP h = static_cast<HBITMAP>(LoadImageA(
            Module(), MAKEINTRESOURCEA(picture.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(h, nullptr);
        BITMAP bm = {};
        ASSERT_NE(GetObjectA(h, sizeof bm, &bm), 0);
        EXPECT_EQ(bm.bmWidth, picture.width);
        EXPECT_EQ(bm.bmHeight, picture.height);
        EXPECT_EQ(bm.bmBitsPixel, 24);
        DeleteObject(h);

        Blob raw = FindBlob(MAKEINTRESOURCEA(picture.id), RT_BITMAP);
        ASSERT_GE(raw.size, sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER header;
        std::memcpy(&header, raw.data, sizeof header);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(header.biBitCount, 24);
        const DWORD stride = (picture.width * 3 + 3) & ~3;
        EXPECT_EQ(raw.size, header.biSize + stride * picture.height);
    }
}

// ---------------------------------------------------------------------------
// The alert sound

struct WaveFormat {
    WORD format = 0;
    WORD channels = 0;
    DWORD rate = 0;
    DWORD byteRate = 0;
    WORD blockAlign = 0;
    WORD bits = 0;
    DWORD dataSize = 0;
    bool sawFormat = false;
    bool sawData = false;
};

// Walks the RIFF chunks; each chunk is padded to an even length.
WaveFormat ParseWave(const Blob& blob) {
    WaveFormat w;
    Reader r(blob.data, blob.size);
    if (r.AnsiString(4) != "RIFF") return w;
    const DWORD riffSize = r.Dword();
    if (r.AnsiString(4) != "WAVE") return w;
    const size_t end = 8 + static_cast<size_t>(riffSize);
    if (end > blob.size) return w;
    while (r.Pos() + 8 <= end && !r.Failed()) {
        const std::string id = r.AnsiString(4);
        const DWORD size = r.Dword();
        const size_t body = r.Pos();
        if (body + size > end) break;
        if (id == "fmt ") {
            w.format = r.Word();
            w.channels = r.Word();
            w.rate = r.Dword();
            w.byteRate = r.Dword();
            w.blockAlign = r.Word();
            w.bits = r.Word();
            w.sawFormat = true;
        } else if (id == "data") {
            w.dataSize = size;
            w.sawData = true;
        }
        r.Seek(body + size + (size & 1));
    }
    return w;
}

TEST(Sound, IsFoundUnderItsLowerCaseTypeName) {
    for (LPCSTR type : {"sound", "SOUND", "Sound"}) {
        SCOPED_TRACE(type);
        EXPECT_NE(FindResourceA(Module(), MAKEINTRESOURCEA(IDR_ALERT_SOUND), type), nullptr);
    }
}

TEST(Sound, IsEightBitMonoPcmOfTheAgreedLength) {
    Blob blob = FindBlob(MAKEINTRESOURCEA(IDR_ALERT_SOUND), "sound");
    ASSERT_NE(blob.data, nullptr);
    WaveFormat w = ParseWave(blob);
    ASSERT_TRUE(w.sawFormat);
    ASSERT_TRUE(w.sawData);

    const std::pair<const char*, std::pair<DWORD, DWORD>> fields[] = {
        {"format", {w.format, WAVE_FORMAT_PCM}},
        {"channels", {w.channels, 1}},
        {"samples per second", {w.rate, 22050}},
        {"bytes per second", {w.byteRate, 22050}},
        {"block align", {w.blockAlign, 1}},
        {"bits per sample", {w.bits, 8}},
        {"data bytes", {w.dataSize, 38885}},
    };
    for (const auto& field : fields)
        EXPECT_EQ(field.second.first, field.second.second) << field.first;
}

// ---------------------------------------------------------------------------
// Version record

struct VersionNode {
    std::string key;
    size_t value = 0;       // offset of the value in the resource
    size_t valueLength = 0; // as recorded: bytes for binary, characters for text
    WORD type = 0;
    std::vector<VersionNode> children;
};

// One node of the VS_VERSIONINFO tree: length, value length, type, key,
// padding, value, padding, children; every part starts on a 32-bit boundary.
bool ParseVersionNode(const Blob& blob, size_t at, VersionNode& node, size_t& next) {
    Reader r(blob.data, blob.size);
    r.Seek(at);
    const WORD length = r.Word();
    node.valueLength = r.Word();
    node.type = r.Word();
    node.key = r.WideString();
    const size_t end = at + length;
    if (r.Failed() || length < 6 || end > blob.size) return false;
    r.AlignDword();
    node.value = r.Pos();
    size_t child = node.value + (node.type == 1 ? 2 * node.valueLength : node.valueLength);
    child = (child + 3) & ~size_t{3};
    while (child < end) {
        VersionNode sub;
        size_t after;
        if (!ParseVersionNode(blob, child, sub, after)) return false;
        node.children.push_back(sub);
        child = after;
    }
    next = (end + 3) & ~size_t{3};
    return true;
}

const VersionNode* Child(const VersionNode& node, const std::string& key) {
    for (const VersionNode& c : node.children)
        if (c.key == key) return &c;
    return nullptr;
}

std::string TextValue(const Blob& blob, const VersionNode& node) {
    Reader r(blob.data, blob.size);
    r.Seek(node.value);
    return r.WideString();
}

class VersionRecord : public ::testing::Test {
protected:
    void SetUp() override {
        blob_ = FindBlob(MAKEINTRESOURCEA(1), RT_VERSION);
        ASSERT_NE(blob_.data, nullptr);
        size_t next;
        ASSERT_TRUE(ParseVersionNode(blob_, 0, root_, next));
        ASSERT_EQ(root_.key, "VS_VERSION_INFO");
    }
    Blob blob_;
    VersionNode root_;
};

TEST_F(VersionRecord, FixedPartSaysOnePointZero) {
    ASSERT_EQ(root_.valueLength, sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, blob_.data + root_.value, sizeof fixed);
    const std::pair<const char*, std::pair<DWORD, DWORD>> fields[] = {
        {"signature", {fixed.dwSignature, 0xFEEF04BDu}},
        {"file version high", {fixed.dwFileVersionMS, 0x00010000u}},
        {"file version low", {fixed.dwFileVersionLS, 0u}},
        {"product version high", {fixed.dwProductVersionMS, 0x00010000u}},
        {"product version low", {fixed.dwProductVersionLS, 0u}},
        {"file type", {fixed.dwFileType, static_cast<DWORD>(VFT_APP)}},
    };
    for (const auto& field : fields)
        EXPECT_EQ(field.second.first, field.second.second) << field.first;
}

TEST_F(VersionRecord, StringsNameTheProduct) {
    const VersionNode* info = Child(root_, "StringFileInfo");
    ASSERT_NE(info, nullptr);
    ASSERT_EQ(info->children.size(), 1u);
    const VersionNode& table = info->children[0];
    ASSERT_EQ(table.key.size(), 8u);
    EXPECT_EQ(table.key.substr(0, 4), "0409");  // US English

    const std::pair<const char*, const char*> strings[] = {
        {"FileVersion", "1.0"},
        {"ProductVersion", "1.0"},
        {"ProductName", "Kelvane"},
        {"FileDescription", "Kelvane video bitrate calculator"},
        {"InternalName", "kelvane.exe"},
        {"OriginalFilename", "kelvane.exe"},
    };
    for (const auto& s : strings) {
        const VersionNode* value = Child(table, s.first);
        ASSERT_NE(value, nullptr) << s.first;
        EXPECT_EQ(TextValue(blob_, *value), s.second) << s.first;
    }
    const VersionNode* company = Child(table, "CompanyName");
    ASSERT_NE(company, nullptr);
    EXPECT_FALSE(TextValue(blob_, *company).empty());

    // The translation names the same language and code page as the table.
    const VersionNode* var = Child(root_, "VarFileInfo");
    ASSERT_NE(var, nullptr);
    const VersionNode* translation = Child(*var, "Translation");
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(translation->valueLength, 4u);
    Reader r(blob_.data, blob_.size);
    r.Seek(translation->value);
    const WORD language = r.Word();
    const WORD codePage = r.Word();
    char key[9];
    wsprintfA(key, "%04x%04x", language, codePage);
    EXPECT_EQ(Lower(table.key), key);
}

}  // namespace
