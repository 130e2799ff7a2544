// Checks the compiled resources linked into this executable: list rows,
// icons, pictures, the sound and the version record, read back through the
// same Win32 calls the program uses, plus the raw bytes where the layout
// itself matters (list data, wave header, version tree).

#include <windows.h>
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
