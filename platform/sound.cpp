#include "platform/sound.h"

#include <mmsystem.h>

#include "platform/win_app.h"

namespace {

const void* FindResourceSound(UINT nID)
{
    HINSTANCE module = AfxGetResourceHandle();
    // Stored as "SOUND"; resource type names match without regard to case.
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(nID), "sound");
    if (!found)
        return nullptr;
    HGLOBAL loaded = ::LoadResource(module, found);
    return loaded ? ::LockResource(loaded) : nullptr;
}

}  // namespace

bool PlayResourceSound(UINT nID)
{
    const void* sound = FindResourceSound(nID);
    return sound && ::sndPlaySoundA(static_cast<const char*>(sound), SND_MEMORY | SND_NODEFAULT);
}
