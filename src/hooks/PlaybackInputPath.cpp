// Switching between the hooks and the playback's lighter ways of hearing F9.
#include "hooks/PlaybackInputPath.h"

#include "core/ActivityState.h"
#include "core/HookThreadNudge.h"
#include "hooks/HookModules.h"
#include "hooks/PathOverlap.h"
#include "hooks/RawKeyboard.h"
#include "hooks/StopHotKey.h"

namespace {

enum class PlaybackInputPath {
    Hooks,        // no playback: both hooks report
    StopHotKey,   // the hooks are off; F9 comes as WM_HOTKEY
    RawKeyboard,  // the hooks are off; every key comes as WM_INPUT
};

// Written and read on the hook thread only.
struct InputPathState {
    PlaybackInputPath path;
    // The hot keys were refused during this playback (another program holds one): raw input
    // serves until the playback ends, without asking again each second.
    bool hotKeyRefused;
    // The ticks just before raw input began and the last it reports (IsRawKeyboardTime).
    uint32_t rawFrom;
    uint32_t rawUntil;
    // The moment of the last return from raw input to the hooks, when both heard the keys.
    PathOverlap overlap;
};
InputPathState gInputPath = {};

// Takes back the hot keys or the raw input, whichever is the path (nothing for the hooks).
void StopLighterWay(HWND window)
{
    if (gInputPath.path == PlaybackInputPath::StopHotKey) UnregisterStopHotKeys(window);
    if (gInputPath.path == PlaybackInputPath::RawKeyboard) StopRawKeyboard();
}

// Leaves the path in use for another playback path, which is in place already.
void LeavePath(HWND window)
{
    if (gInputPath.path == PlaybackInputPath::Hooks) RemoveHooks();
    if (gInputPath.path == PlaybackInputPath::RawKeyboard) gInputPath.rawUntil = GetTickCount();
    StopLighterWay(window);
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

// Both hooks, each whatever became of the other; true when both are installed.
bool InstallHooks(HWND window)
{
    const bool keyboard = InstallKeyboardHook(window);
    return InstallMouseHook(window) && keyboard;
}

bool ReturnToHooks(HWND window)
{
    // The hook first, then raw input's last tick: a key in between comes from both, and the
    // second report is dropped (PathOverlap.h); none falls between them.
    const uint32_t hookFrom = GetTickCount();
    if (!InstallKeyboardHook(window)) return false;
    if (gInputPath.path == PlaybackInputPath::RawKeyboard) {
        gInputPath.rawUntil = GetTickCount();
        StartPathOverlap(gInputPath.overlap, hookFrom, gInputPath.rawUntil);
    }
    InstallMouseHook(window);
    StopLighterWay(window);
    gInputPath.path = PlaybackInputPath::Hooks;
    gInputPath.hotKeyRefused = false;
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

bool InstallPlaybackInputPathAgain(HWND window)
{
    if (gInputPath.path == PlaybackInputPath::Hooks) return InstallHooks(window);
    return gInputPath.path != PlaybackInputPath::RawKeyboard || StartRawKeyboard(window);
}

void StopPlaybackInputPath(HWND window)
{
    StopLighterWay(window);
    gInputPath = {};
}

bool IsRawKeyboardTime(uint32_t time)
{
    if (static_cast<int32_t>(time - gInputPath.rawFrom) < 0) return false;
    return gInputPath.path == PlaybackInputPath::RawKeyboard || static_cast<int32_t>(time - gInputPath.rawUntil) <= 0;
}

bool IsSecondReportOfKey(bool fromHook, uint32_t message, uint32_t virtualKey, uint32_t time)
{
    return !TakeOverlapKey(gInputPath.overlap, fromHook ? KeySource::Hook : KeySource::RawInput, message, virtualKey,
                           time);
}

bool IsStopHotKeyTime()
{
    return gInputPath.path == PlaybackInputPath::StopHotKey;
}
