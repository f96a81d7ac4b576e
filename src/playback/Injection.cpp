// The real injection of playback: keys and mouse buttons through keybd_event and mouse_event,
// cursor moves through SetCursorPos. Keys carry their own scan code, because programs that
// read scan codes would take a fixed one (1) for Escape, and the extended flag where the key
// needs it. Every event carries the running playback's mark (gPlaybackMark, drawn at random
// when the playback started) as its extra information, so that the program's own hooks pass it
// on without reporting it.
#include <windows.h>

#include "core/PlaybackMark.h"
#include "playback/ExtendedKeys.h"
#include "playback/Injection.h"

namespace {

ULONG_PTR OwnMark()
{
    return gPlaybackMark.mark.load();
}

}  // namespace

void InjectKey(uint8_t virtualKey, bool down)
{
    const BYTE scanCode = static_cast<BYTE>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    DWORD flags = down ? 0 : KEYEVENTF_KEYUP;
    if (IsExtendedVirtualKey(virtualKey)) {
        flags |= KEYEVENTF_EXTENDEDKEY;
    }
    keybd_event(virtualKey, scanCode, flags, OwnMark());
}

void InjectMouseButton(uint32_t mouseFlags)
{
    mouse_event(mouseFlags, 0, 0, 0, OwnMark());
}

void InjectWheel(int32_t wheelData)
{
    // The platform takes the signed amount in an unsigned parameter.
    mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(wheelData), OwnMark());
}

void InjectCursorMove(int32_t x, int32_t y)
{
    SetCursorPos(x, y);
}

void InjectXButton(int32_t xButton, bool down)
{
    mouse_event(down ? MOUSEEVENTF_XDOWN : MOUSEEVENTF_XUP, 0, 0, static_cast<DWORD>(xButton), OwnMark());
}

void InjectHorizontalWheel(int32_t wheelData)
{
    mouse_event(MOUSEEVENTF_HWHEEL, 0, 0, static_cast<DWORD>(wheelData), OwnMark());
}
