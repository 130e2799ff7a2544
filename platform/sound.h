#pragma once

#include <windows.h>

// Plays resource nID of type "sound" from the program's resources, from
// memory, and returns when it has ended. Any failure (missing resource, no
// audio device) is silent; the result only says whether it played.
bool PlayResourceSound(UINT nID);
