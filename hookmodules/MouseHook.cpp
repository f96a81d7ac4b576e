// MouseHook.dll: the system-wide low-level mouse hook. Button presses and releases, moves and
// wheel turns are posted to the window given to InitMouseHook as HookEventMessage and passed
// on to the next hook unchanged:
//   buttons (left, right, middle; down, up): wParam the button message, lParam 0;
//   X buttons (down, up): wParam WM_XBUTTONDOWN or WM_XBUTTONUP, lParam the button (1 or 2);
//   WM_MOUSEMOVE: lParam the address of the screen position (x, then y, signed 32-bit);
//   WM_MOUSEWHEEL and WM_MOUSEHWHEEL: lParam the signed number of whole notches (positive
//   forward, and to the right).
// Everything else the hook sees (a wheel step smaller than a notch, say) is posted as
// HookAliveMessage with wParam 1: the hook thread's watchdog learns that the hook is alive.
//
// The running playback's own events (they carry its mark, HookProtocol.h) are passed on
// unreported.
//
// The procedure runs on the thread that installed the hook (the program's hook thread), inside
// that thread's message wait, not in the processes whose input it sees. It only posts and
// returns: nothing of the program may run inside a hook call.
#include <windows.h>

// The program and this module share nothing but the exports, these message numbers and the
// wheel's arithmetic.
#include "core/HookProtocol.h"
#include "core/WheelNotches.h"

namespace {

// Move positions are posted by address, so each must outlive its message. A thread's queue
// holds at most 10,000 posted messages by default; a ring far larger than that is not reused
// before the message that points into a slot has long been handled.
constexpr unsigned MovePositionSlots = 65536;

// The window that receives the events. Written by InitMouseHook on the installing thread;
// read by MouseHookProc, which runs on that same thread.
HWND gWindow = nullptr;
// This module's hook, for CallNextHookEx. Written by InitMouseHook; read by MouseHookProc.
HHOOK gHook = nullptr;
// The program's playback mark (HookProtocol.h), or null. Written by ShareMouseHookMark on the main thread
// before the hook thread installs the hook; read (and its passed-on tick written) by MouseHookProc.
PlaybackMark* gPlaybackMark = nullptr;
// Screen positions of the posted moves. Written by MouseHookProc; read by the receiving window
// through the address in each move message.
POINT gMovePositions[MovePositionSlots];
// Slot of the next move; wraps around. Written and read by MouseHookProc only.
unsigned gNextMoveSlot = 0;
// Wheel movement not yet reported as a whole notch, for the wheel and the horizontal wheel,
// so that the small steps of touchpads and smooth wheels add up to notches instead of being
// lost. Written and read by MouseHookProc only.
WheelRemainder gWheel = {0, 0};
WheelRemainder gHorizontalWheel = {0, 0};

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

void Post(WPARAM message, LPARAM value)
{
    PostMessageW(gWindow, HookEventMessage, message, value);
}

void PostAlive()
{
    PostMessageW(gWindow, HookAliveMessage, 1, 0);
}

void ReportWheel(WheelRemainder& remainder, WPARAM message, const MSLLHOOKSTRUCT& mouse)
{
    const int notches = TakeWheelNotches(remainder, static_cast<short>(HIWORD(mouse.mouseData)));
    if (notches != 0)
        Post(message, static_cast<LPARAM>(notches));
    else
        PostAlive();
}

void ReportMouseEvent(WPARAM message, const MSLLHOOKSTRUCT& mouse)
{
    const WORD xButton = HIWORD(mouse.mouseData);
    if (IsReportedButton(message)) {
        Post(message, 0);
    } else if (message == WM_MOUSEMOVE) {
        PostMove(mouse.pt);
    } else if (message == WM_MOUSEWHEEL) {
        ReportWheel(gWheel, message, mouse);
    } else if (message == WM_MOUSEHWHEEL) {
        ReportWheel(gHorizontalWheel, message, mouse);
    } else if ((message == WM_XBUTTONDOWN || message == WM_XBUTTONUP) && (xButton == XBUTTON1 || xButton == XBUTTON2)) {
        Post(message, static_cast<LPARAM>(xButton));
    } else {
        PostAlive();
    }
}

// True for the running playback's own input: the mark is set and the event carries it. The
// tick tells the watchdog that the hook is alive.
bool IsOwnPlayback(ULONG_PTR extraInformation)
{
    if (gPlaybackMark == nullptr) return false;
    const uintptr_t mark = gPlaybackMark->mark.load();
    if (mark == 0 || extraInformation != mark) return false;
    gPlaybackMark->mousePassedOn.store(GetTickCount());
    return true;
}

}  // namespace

extern "C" LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    // The program's own playback is passed on unreported: reporting it would only keep the
    // program's threads busy while the target waits for this call to return.
    if (code == HC_ACTION && IsOwnPlayback(reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam)->dwExtraInfo)) {
        return CallNextHookEx(gHook, code, wParam, lParam);
    }
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

extern "C" void WINAPI ShareMouseHookMark(PlaybackMark* shared)
{
    gPlaybackMark = shared;
}
