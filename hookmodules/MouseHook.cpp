// MouseHook.dll: the system-wide low-level mouse hook. Button presses and releases, moves and
// wheel turns are posted to the window given to InitMouseHook as HookEventMessage and passed
// on to the next hook unchanged:
//   buttons (left, right, middle; down, up): wParam the button message, lParam 0;
//   WM_MOUSEMOVE: lParam the address of the screen position (x, then y, signed 32-bit);
//   WM_MOUSEWHEEL: lParam the signed number of whole notches.
// X buttons and the horizontal wheel are not reported.
//
// The procedure runs on the thread that installed the hook, inside that thread's message
// wait. It only posts and returns: nothing of the program may run inside a hook call.
#include <windows.h>

// The program and this module share nothing but the exports and this message number.
#include "core/HookProtocol.h"

namespace {

// One notch of the wheel.
constexpr int WheelNotch = WHEEL_DELTA;
// Move positions are posted by address, so each must outlive its message. A thread's queue
// holds at most 10,000 posted messages by default; a ring far larger than that is not reused
// before the message that points into a slot has long been handled.
constexpr unsigned MovePositionSlots = 65536;

// The window that receives the events. Written by InitMouseHook on the installing thread;
// read by MouseHookProc, which runs on that same thread.
HWND gWindow = nullptr;
// This module's hook, for CallNextHookEx. Written by InitMouseHook; read by MouseHookProc.
HHOOK gHook = nullptr;
// Screen positions of the posted moves. Written by MouseHookProc; read by the receiving window
// through the address in each move message.
POINT gMovePositions[MovePositionSlots];
// Slot of the next move; wraps around. Written and read by MouseHookProc only.
unsigned gNextMoveSlot = 0;
// Wheel movement not yet reported as a whole notch, one per direction (forward positive,
// backward negative), so that the small steps of touchpads and smooth wheels add up to
// notches instead of being lost. Written and read by MouseHookProc only.
int gWheelForward = 0;
int gWheelBackward = 0;

bool IsReportedButton(WPARAM message)
{
    return message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_RBUTTONDOWN ||
           message == WM_RBUTTONUP || message == WM_MBUTTONDOWN || message == WM_MBUTTONUP;
}

void PostMove(POINT position)
{
    POINT* slot = &gMovePositions[gNextMoveSlot];
    gNextMoveSlot = (gNextMoveSlot + 1) % MovePositionSlots;
    *slot = position;
    PostMessageW(gWindow, HookEventMessage, WM_MOUSEMOVE, reinterpret_cast<LPARAM>(slot));
}

// Adds one wheel delta to the remainder of its direction and returns the whole notches that
// are now complete (negative backward). A turn in the other direction drops the remainder of
// the old one, so a stale partial step never completes a notch the user did not turn.
int TakeWheelNotches(int delta)
{
    if (delta > 0) {
        gWheelBackward = 0;
        gWheelForward += delta;
        const int notches = gWheelForward / WheelNotch;
        gWheelForward -= notches * WheelNotch;
        return notches;
    }
    if (delta < 0) {
        gWheelForward = 0;
        gWheelBackward += delta;
        const int notches = gWheelBackward / WheelNotch;  // rounds toward zero: stays <= 0
        gWheelBackward -= notches * WheelNotch;
        return notches;
    }
    return 0;
}

void ReportMouseEvent(WPARAM message, const MSLLHOOKSTRUCT& mouse)
{
    if (IsReportedButton(message)) {
        PostMessageW(gWindow, HookEventMessage, message, 0);
    } else if (message == WM_MOUSEMOVE) {
        PostMove(mouse.pt);
    } else if (message == WM_MOUSEWHEEL) {
        const int delta = static_cast<short>(HIWORD(mouse.mouseData));
        const int notches = TakeWheelNotches(delta);
        if (notches != 0) PostMessageW(gWindow, HookEventMessage, WM_MOUSEWHEEL, static_cast<LPARAM>(notches));
    }
}

}  // namespace

extern "C" LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && gWindow != nullptr) {
        ReportMouseEvent(wParam, *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam));
    }
    // Always passed on: the mouse must keep working in every other application.
    return CallNextHookEx(gHook, code, wParam, lParam);
}

extern "C" void WINAPI InitMouseHook(HWND window, HHOOK hook)
{
    gWindow = window;
    gHook = hook;
}
