#pragma once

#include <memory>
#include <type_traits>

#include <windows.h>

// An icon the program loaded for itself (without LR_SHARED): destroyed with
// its owner. Shared icons, and those STM_SETICON hands back, are never owned.
struct IconDestroyer {
    void operator()(HICON icon) const { ::DestroyIcon(icon); }
};
using COwnedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;
