#pragma once

// The sizes, in pixels, at which tools/make_assets.py draws the form's icons
// (it reads them here); the page loads the largest that its boxes hold. 40 is
// the boxes' height at 120 DPI.
inline constexpr int kFormIconSizes[] = {32, 40, 48, 64};
