// KeyBoardHook.dll: the system-wide low-level keyboard hook. Every key press and release is
// posted to the window given to InitKeyBoardHook as HookEventMessage (wParam the key message,
// lParam the virtual-key code) and passed on to the next hook unchanged; anything else it is
// given is posted as HookAliveMessage (wParam 0), which tells the watchdog the hook is alive.
//
// The procedure runs on the thread that installed the hook, inside that thread's message
// wait. It only posts and returns: nothing of the program may run inside a hook call, or a
// slow handler would stall the input of the whole system (Windows removes such a hook).
#include <windows.h>

// The program and this module share nothing but the exports and this message number.
#include "core/HookProtocol.h"

namespace {

// The window that receives the events. Written by InitKeyBoardHook on the installing thread;
// read by KeyBoardHookProc, which runs on that same thread.
HWND gWindow = nullptr;
// This module's hook, for CallNextHookEx. Written by InitKeyBoardHook; read by KeyBoardHookProc.
HHOOK gHook = nullptr;

bool IsKeyMessage(WPARAM message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

}  // namespace

extern "C" LRESULT CALLBACK KeyBoardHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    // The program's own playback is passed on unreported: reporting it would only keep the
    // program's threads busy while the target waits for this call to return.
    if (code == HC_ACTION && reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->dwExtraInfo == InjectedInputMark) {
        return CallNextHookEx(gHook, code, wParam, lParam);
    }
    if (code == HC_ACTION && gWindow != nullptr && IsKeyMessage(wParam)) {
        const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        PostMessageW(gWindow, HookEventMessage, wParam, static_cast<LPARAM>(key->vkCode));
    } else if (code == HC_ACTION && gWindow != nullptr) {
        // Not a key message: nothing to report, but the hook is alive.
        PostMessageW(gWindow, HookAliveMessage, 0, 0);
    }
    // Always passed on: the user's typing must keep reaching every other application.
    return CallNextHookEx(gHook, code, wParam, lParam);
}

extern "C" void WINAPI InitKeyBoardHook(HWND window, HHOOK hook)
{
    gWindow = window;
    gHook = hook;
}
