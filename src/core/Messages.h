// The program's own window message numbers, and the input message numbers that recording and
// playback read from hook notifications and write into records.
#pragma once
#include <cstdint>

#include "core/HookProtocol.h"

// Posted by the playback worker when it has ended (unless the program is to quit).
constexpr unsigned PlaybackEndedMessage = 0x0400 + 751;  // WM_USER + 751 = 1775
// Posted by the hook thread to the main window when input events wait for it (TakeHookEvent).
constexpr unsigned HookEventsWaitingMessage = 0x0400 + 753;  // WM_USER + 753 = 1777
// Posted to the hook thread's window when a playback starts or ends (HookThreadNudge.h).
constexpr unsigned HookThreadNudgeMessage = 0x0400 + 758;  // WM_USER + 758 = 1782
// The notification-area icon reports its mouse messages with this number.
constexpr unsigned TrayCallbackMessage = 12501;

constexpr unsigned VirtualKeyF9 = 0x78;

// Input message numbers as the platform defines them and the hook modules report them. A
// Button record carries the button's message as its code.
constexpr uint16_t KeyDownMessage = 0x100;
constexpr uint16_t KeyUpMessage = 0x101;
constexpr uint16_t SysKeyDownMessage = 0x104;
constexpr uint16_t SysKeyUpMessage = 0x105;
constexpr uint16_t MouseMoveMessage = 0x200;
constexpr uint16_t LeftButtonDownMessage = 0x201;    // 513
constexpr uint16_t LeftButtonUpMessage = 0x202;      // 514
constexpr uint16_t RightButtonDownMessage = 0x204;   // 516
constexpr uint16_t RightButtonUpMessage = 0x205;     // 517
constexpr uint16_t MiddleButtonDownMessage = 0x207;  // 519
constexpr uint16_t MiddleButtonUpMessage = 0x208;    // 520
constexpr uint16_t MouseWheelMessage = 0x20A;
// The back and forward buttons: one message for both, the button in the event's mouse data.
constexpr uint16_t XButtonDownMessage = 0x20B;  // 523
constexpr uint16_t XButtonUpMessage = 0x20C;    // 524
constexpr uint16_t MouseHorizontalWheelMessage = 0x20E;
// Every input message a hook module reports (HookEventMessage's wParam). Anyone can post that
// message to the hook thread's window: whatever else its wParam says is not input (0 would
// stand for the ring's lost events, LostHookEventsMessage) and goes no further.
constexpr uint16_t HookInputMessages[] = {
    KeyDownMessage,          KeyUpMessage,           SysKeyDownMessage,
    SysKeyUpMessage,         MouseMoveMessage,       LeftButtonDownMessage,
    LeftButtonUpMessage,     RightButtonDownMessage, RightButtonUpMessage,
    MiddleButtonDownMessage, MiddleButtonUpMessage,  MouseWheelMessage,
    XButtonDownMessage,      XButtonUpMessage,       MouseHorizontalWheelMessage,
};
constexpr bool IsHookInputMessage(uintptr_t message)
{
    for (const uint16_t input : HookInputMessages)
        if (message == input) return true;
    return false;
}
// Which X button: the platform's XBUTTON1 (back) and XBUTTON2 (forward).
constexpr int32_t XButton1 = 1;
constexpr int32_t XButton2 = 2;
