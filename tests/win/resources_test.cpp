// The compiled resources linked into this executable, read back through the
// Win32 calls a program uses: list data, icons, pictures, the sound and the
// version record.
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "resource.h"

namespace {

HMODULE Module() { return ::GetModuleHandleA(nullptr); }

std::string Bytes(LPCSTR name, LPCSTR type)
{
    HRSRC found = ::FindResourceA(Module(), name, type);
    HGLOBAL loaded = found ? ::LoadResource(Module(), found) : nullptr;
    const char* data = loaded ? static_cast<const char*>(::LockResource(loaded)) : nullptr;
    return data ? std::string(data, ::SizeofResource(Module(), found)) : std::string();
}

template <class T>
T At(const std::string& bytes, size_t offset)
{
    T value{};
    if (offset + sizeof value <= bytes.size())
        std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

TEST(ListData, HoldsEveryRowInOrderAndNothingElse)
{
    const std::pair<WORD, const char*> rows[] = {
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
    // Each entry: id, 0x0403 (add a combo-box string), length with the zero, bytes.
    std::string expected;
    for (const auto& [id, label] : rows) {
        const DWORD length = static_cast<DWORD>(std::strlen(label) + 1);
        expected.append(reinterpret_cast<const char*>(&id), 2);
        expected.append("\x03\x04", 2);
        expected.append(reinterpret_cast<const char*>(&length), 4);
        expected.append(label, length);
    }
    expected.append(2, '\0');
    ASSERT_EQ(452u, expected.size());
    EXPECT_EQ(expected, Bytes(MAKEINTRESOURCEA(IDD_CALCULATE_PAGE), MAKEINTRESOURCEA(240)));
}

TEST(Icons, SixteenColoursAtEverySize)
{
    const std::pair<int, int> icons[] = {
        {IDR_MAINFRAME, 32}, {IDR_MAINFRAME, 16}, {IDI_SIZE, 32},
        {IDI_LENGTH, 32},    {IDI_RESULT, 32},    {IDI_AUDIO, 32},
    };
    for (const auto& [id, size] : icons) {
        SCOPED_TRACE(std::to_string(id) + " at " + std::to_string(size));
        std::string group = Bytes(MAKEINTRESOURCEA(id), RT_GROUP_ICON);
        ASSERT_FALSE(group.empty());
        const int image = ::LookupIconIdFromDirectoryEx(reinterpret_cast<BYTE*>(group.data()), TRUE, size, size, 0);
        const std::string bits = Bytes(MAKEINTRESOURCEA(image), RT_ICON);
        const auto header = At<BITMAPINFOHEADER>(bits, 0);
        EXPECT_EQ(size, header.biWidth);
        EXPECT_EQ(2 * size, header.biHeight);  // colour and mask stacked
        EXPECT_EQ(4, header.biBitCount);
        HICON icon = static_cast<HICON>(::LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
        EXPECT_NE(nullptr, icon);
        ::DestroyIcon(icon);
    }
}

TEST(Pictures, TrueColourAtTheirSizes)
{
    const struct {
        int id;
        LONG width, height;
    } pictures[] = {{IDB_ABOUT, 250, 100}, {IDB_BANNER, 175, 30}};
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.id);
        HBITMAP bitmap = static_cast<HBITMAP>(
            ::LoadImageA(Module(), MAKEINTRESOURCEA(picture.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(nullptr, bitmap);
        BITMAP info{};
        ::GetObjectA(bitmap, sizeof info, &info);
        EXPECT_EQ(picture.width, info.bmWidth);
        EXPECT_EQ(picture.height, info.bmHeight);
        EXPECT_EQ(24, info.bmBitsPixel);
        ::DeleteObject(bitmap);
    }
}

TEST(Sound, EightBitMonoPcmOfTheAgreedLengthUnderAnyCase)
{
    const std::string wave = Bytes(MAKEINTRESOURCEA(IDR_ALERT_SOUND), "sound");
    EXPECT_EQ(wave, Bytes(MAKEINTRESOURCEA(IDR_ALERT_SOUND), "SOUND"));
    ASSERT_GE(wave.size(), 44u);
    EXPECT_EQ("RIFF", wave.substr(0, 4));
    EXPECT_EQ(wave.size() - 8, At<DWORD>(wave, 4));
    EXPECT_EQ("WAVEfmt ", wave.substr(8, 8));
    const auto format = At<PCMWAVEFORMAT>(wave, 20);
    const std::pair<const char*, std::pair<DWORD, DWORD>> fields[] = {
        {"format", {format.wf.wFormatTag, WAVE_FORMAT_PCM}},
        {"channels", {format.wf.nChannels, 1}},
        {"samples per second", {format.wf.nSamplesPerSec, 22050}},
        {"bytes per second", {format.wf.nAvgBytesPerSec, 22050}},
        {"bits per sample", {format.wBitsPerSample, 8}},
        {"data bytes", {At<DWORD>(wave, 20 + At<DWORD>(wave, 16) + 4), 38885}},
    };
    for (const auto& [name, values] : fields)
        EXPECT_EQ(values.second, values.first) << name;
}

TEST(Version, FileAndProductVersionOnePointZero)
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(Module(), path, MAX_PATH);
    std::vector<char> block(::GetFileVersionInfoSizeA(path, nullptr));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(::GetFileVersionInfoA(path, 0, static_cast<DWORD>(block.size()), block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS);
    EXPECT_EQ(0u, fixed->dwProductVersionLS);

    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                                 &size));
    char table[64];
    wsprintfA(table, "\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
    for (const auto& [key, value] : {std::pair{"FileVersion", "1.0"}, std::pair{"ProductVersion", "1.0"},
                                     std::pair{"ProductName", "Kelvane"}}) {
        char* text = nullptr;
        ASSERT_TRUE(::VerQueryValueA(block.data(), (std::string(table) + key).c_str(),
                                     reinterpret_cast<void**>(&text), &size))
            << key;
        EXPECT_STREQ(value, text) << key;
    }
}

}  // namespace
