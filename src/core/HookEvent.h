// One input event as the hook thread hands it to the main thread: copied out of the hook
// module's message when that message reached the hook thread, with the time it got there. So
// the main thread may take it up whenever it gets round to it (a dialog, a slow disk): what it
// records is when the input happened and where the mouse was, not when it was handled.
#pragma once
#include <cstdint>

#include "core/Messages.h"

struct HookEvent {
    uint32_t message;  // the input message (the wParam of HookEventMessage)
    int32_t value;     // the lParam of HookEventMessage, for all but moves (0 for a move)
    int32_t x;         // a move's screen position, read on the hook thread; else 0
    int32_t y;
    uint32_t time;  // ReadMillisecondClock when the module's message reached the hook thread
    // A press or a wheel turn: the window it went to (its handle's value) and the number under
    // which the hook thread noted that window's identity (hooks/EventWindow.h); 0 for other
    // events and when there is no such window.
    uint32_t window = 0;
    uint32_t windowSerial = 0;
    // The same for the control inside that window that the press went to (the child window
    // under the pointer, or the one with the keyboard focus); 0 when it went to none.
    uint32_t control = 0;
    uint32_t controlSerial = 0;
};

// The message of the event that TakeHookEvent hands over in place of the events the hook thread
// could not keep (its ring was full): events were lost here, and none after them was kept until
// the main thread had taken this one. No input message is 0.
constexpr uint32_t LostHookEventsMessage = 0;

// The message of the event that the hook thread hands over in place of a user's F9 press with
// which it has stopped the running playback itself (HookThread.h, SetPlaybackStop): the main
// thread opens the notice. Not an input message either.
constexpr uint32_t PlaybackStoppedByF9Message = 1;

// F9 pressed, with or without Alt: what starts and ends a recording and stops a playback.
constexpr bool IsStopKeyPress(const HookEvent& event)
{
    return (event.message == KeyDownMessage || event.message == SysKeyDownMessage) &&
           static_cast<uint32_t>(event.value) == VirtualKeyF9;
}
