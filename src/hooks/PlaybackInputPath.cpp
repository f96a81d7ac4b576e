// Switching between the hooks and the playback's lighter ways of hearing F9.
#include "hooks/PlaybackInputPath.h"

#include "core/ActivityState.h"
#include "core/HookThreadNudge.h"
#include "hooks/HookModules.h"
#include "hooks/RawKeyboard.h"
#include "hooks/StopHotKey.h"

namespace {

// Written and read on the hook thread only.
struct InputPathState {
    PlaybackInputPath path;
    // The hot keys were refused during this playback (another program holds one): raw input
    // serves until the playback ends, without asking again each second.
    bool hotKeyRefused;
    // The ticks just before raw input began and ended to report (IsRawKeyboardTime).
    uint32_t rawFrom;
    uint32_t rawUntil;
};
InputPathState gInputPath = {};

// Leaves the path in use for another playback path, which is in place already.
void LeavePath(HWND window)
{
    if (gInputPath.path == PlaybackInputPath::Hooks) RemoveHooks();
    if (gInputPath.path == PlaybackInputPath::StopHotKey) UnregisterStopHotKeys(window);
    if (gInputPath.path == PlaybackInputPath::RawKeyboard) {
        gInputPath.rawUntil = GetTickCount();
        StopRawKeyboard();
    }
}

void TakeHotKeyPath(HWND window)
{
    if (!RegisterStopHotKeys(window)) {
        gInputPath.hotKeyRefused = true;
        return;
    }
    LeavePath(window);
    gInputPath.path = PlaybackInputPath::StopHotKey;
}

void TakeRawKeyboardPath(HWND window)
{
    if (!StartRawKeyboard(window)) return;  // the path in use goes on hearing F9
    gInputPath.rawFrom = GetTickCount();
    LeavePath(window);
    gInputPath.path = PlaybackInputPath::RawKeyboard;
}

bool ReturnToHooks(HWND window)
{
    if (gInputPath.path == PlaybackInputPath::RawKeyboard) gInputPath.rawUntil = GetTickCount();
    if (!InstallKeyboardHook(window)) return false;
    InstallMouseHook(window);
    const PlaybackInputPath left = gInputPath.path;
    gInputPath.path = PlaybackInputPath::Hooks;
    gInputPath.hotKeyRefused = false;
    if (left == PlaybackInputPath::StopHotKey) UnregisterStopHotKeys(window);
    if (left == PlaybackInputPath::RawKeyboard) StopRawKeyboard();
    return true;
}

}  // namespace

void StartPlaybackInputPath()
{
    gInputPath = {};
}

bool FollowPlaybackState(HWND window)
{
    if (gActivityState.load() != Playing) return gInputPath.path != PlaybackInputPath::Hooks && ReturnToHooks(window);
    const bool ownF9 = gPlaybackPressesStopKey.load();
    if (!ownF9 && !gInputPath.hotKeyRefused && gInputPath.path != PlaybackInputPath::StopHotKey) TakeHotKeyPath(window);
    // The hot keys refused (just now, or earlier in this playback), or the recording presses F9.
    if ((ownF9 || gInputPath.hotKeyRefused) && gInputPath.path != PlaybackInputPath::RawKeyboard)
        TakeRawKeyboardPath(window);
    return false;
}

PlaybackInputPath CurrentPlaybackInputPath()
{
    return gInputPath.path;
}

bool RenewPlaybackInputPath(HWND window)
{
    return gInputPath.path != PlaybackInputPath::RawKeyboard || StartRawKeyboard(window);
}

void StopPlaybackInputPath(HWND window)
{
    if (gInputPath.path == PlaybackInputPath::StopHotKey) UnregisterStopHotKeys(window);
    if (gInputPath.path == PlaybackInputPath::RawKeyboard) StopRawKeyboard();
    gInputPath = {};
}

bool IsRawKeyboardTime(uint32_t time)
{
    if (static_cast<int32_t>(time - gInputPath.rawFrom) < 0) return false;
    return gInputPath.path == PlaybackInputPath::RawKeyboard || static_cast<int32_t>(time - gInputPath.rawUntil) < 0;
}

bool IsStopHotKeyTime()
{
    return gInputPath.path == PlaybackInputPath::StopHotKey;
}
