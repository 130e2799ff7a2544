#pragma once

#include <array>
#include <cstdint>

// The numeric columns behind the form's two drop-down lists. The labels live
// in the page's dialog template; a row index is the only link between them.

// Kilobytes of MP3 sound per second, rows 0..9 (320 down to 56 kbit/s).
inline constexpr std::array<std::int32_t, 10> kAudioRates = {40, 32, 28, 24, 20, 16, 14, 12, 8, 7};

struct DiscPreset {
    std::int32_t kilobytes;  // 650 MB x discs x 1024
    const char* megabytes;   // what the megabyte box shows for it
};

inline constexpr std::array<DiscPreset, 4> kDiscPresets = {{
    {665600, "650"},
    {1331200, "1300"},
    {1996800, "1950"},
    {2662400, "2600"},
}};

// Start-up state: 128 kbit/s sound, one CD, two hours.
inline constexpr int kDefaultAudioRow = 5;
inline constexpr int kDefaultDiscsRow = 0;
inline constexpr const char* kDefaultLengthText = "120";
