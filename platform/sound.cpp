#include "platform/sound.h"

#include <mmsystem.h>

#include "platform/win_app.h"

bool PlayResourceSound(UINT nID)
{
    // Stored as "SOUND"; resource type names match without regard to case.
    const BYTE* sound = LockResourceData(nID, "sound");
    return sound && ::sndPlaySoundA(reinterpret_cast<const char*>(sound), SND_MEMORY | SND_NODEFAULT);
}
