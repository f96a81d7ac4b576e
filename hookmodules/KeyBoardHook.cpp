// KeyBoardHook.dll: the system-wide low-level keyboard hook. Every key press and release is
// posted to the window given to InitKeyBoardHook as HookEventMessage (wParam the key message,
// lParam the virtual-key code) and passed on to the next hook unchanged. The running
// playback's own keys (they carry its mark, HookProtocol.h) are passed on unreported.
//
// The procedure runs on the thread that installed the hook (the program's hook thread), inside
// that thread's message wait, not in the processes whose input it sees. It only posts and returns: nothing of the program may run inside a hook call, or a
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
// The program's playback mark (HookProtocol.h), or null. Written by ShareKeyBoardHookMark on the main thread
// before the hook thread installs the hook; read (and its passed-on tick written) by KeyBoardHookProc.
PlaybackMark* gPlaybackMark = nullptr;

bool IsKeyMessage(WPARAM message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

// True for the running playback's own input: the mark is set and the event carries it. The
// tick tells the watchdog that the hook is alive.
bool IsOwnPlayback(ULONG_PTR extraInformation)
{
    if (gPlaybackMark == nullptr) return false;
    const uintptr_t mark = gPlaybackMark->mark.load();
    if (mark == 0 || extraInformation != mark) return false;
    gPlaybackMark->keyboardPassedOn.store(GetTickCount());
    return true;
}

}  // namespace

extern "C" LRESULT CALLBACK KeyBoardHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    // The program's own playback is passed on unreported: reporting it would only keep the
    // program's threads busy while the target waits for this call to return.
    if (code == HC_ACTION && IsOwnPlayback(reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam)->dwExtraInfo)) {
        return CallNextHookEx(gHook, code, wParam, lParam);
    }
    // A low-level keyboard hook is given the four key messages only, each of them reported.
    if (code == HC_ACTION && gWindow != nullptr && IsKeyMessage(wParam)) {
        const KBDLLHOOKSTRUCT* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        PostMessageW(gWindow, HookEventMessage, wParam, static_cast<LPARAM>(key->vkCode));
    }
    // Always passed on: the user's typing must keep reaching every other application.
    return CallNextHookEx(gHook, code, wParam, lParam);
}

extern "C" void WINAPI InitKeyBoardHook(HWND window, HHOOK hook)
{
    gWindow = window;
    gHook = hook;
}

extern "C" void WINAPI ShareKeyBoardHookMark(PlaybackMark* shared)
{
    gPlaybackMark = shared;
}
