// Drawing the playback's mark. A fixed number would be known to every program that ever saw our
// input in its own low-level hook, and input it injected with that number would hide from a
// recording; a random one per playback is known to nobody beforehand, and worthless after.
//
// The random source is the system's (BCryptGenRandom with the system's preferred generator;
// RtlGenRandom, exported as SystemFunction036, on systems before it), looked up at run time in
// modules loaded by their full path from the system folder, never found by a search.
#include "core/ModuleExports.h"
#include "playback/InjectionMark.h"

#include <windows.h>

#include <string>

#include "core/PlaybackMark.h"

namespace {

// Not in every SDK's headers.
constexpr ULONG BcryptUseSystemPreferredRng = 0x00000002;
using BCryptGenRandomFunction = LONG(WINAPI*)(void* algorithm, UCHAR* buffer, ULONG size, ULONG flags);
using RtlGenRandomFunction = BOOLEAN(WINAPI*)(void* buffer, ULONG size);

}  // namespace

// The modules stay loaded: the next playback draws again.
bool DrawSystemRandom(uintptr_t& value)
{
    auto* bytes = reinterpret_cast<UCHAR*>(&value);
    const auto genRandom = LookUpExport<BCryptGenRandomFunction>(LoadSystemModule(L"bcrypt.dll"), "BCryptGenRandom");
    if (genRandom != nullptr && genRandom(nullptr, bytes, sizeof value, BcryptUseSystemPreferredRng) >= 0) return true;
    const auto rtlGenRandom =
        LookUpExport<RtlGenRandomFunction>(LoadSystemModule(L"advapi32.dll"), "SystemFunction036");
    return rtlGenRandom != nullptr && rtlGenRandom(bytes, sizeof value) != FALSE;
}

void StartInjectionMark()
{
    uintptr_t mark = 0;
    // 0 means "no playback": a draw of 0 is drawn again.
    for (int attempt = 0; attempt < 4 && mark == 0; ++attempt) {
        if (!DrawSystemRandom(mark)) mark = 0;
    }
    gPlaybackMark.mark.store(mark);
}

void EndInjectionMark()
{
    EndPlaybackMark(GetTickCount());
}
