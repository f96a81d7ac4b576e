// Input sent into the system the way any program sends it (SendInput), for the tests that
// watch what the hooks and the hook thread make of it. Named Send..., apart from the playback's
// own Inject... functions (playback/Injection.h), which a test may use beside them.
#pragma once
#include <windows.h>

// Presses or releases a key; `extraInfo` is the extra information the input carries (where the
// playback puts its mark).
inline void SendKey(WORD vk, bool down, ULONG_PTR extraInfo = 0)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    input.ki.dwExtraInfo = extraInfo;
    SendInput(1, &input, sizeof input);
}

// A mouse event of these MOUSEEVENTF_ flags: `data` is a wheel turn's delta or the X button;
// dx and dy are a move's distance, or its target with MOUSEEVENTF_ABSOLUTE.
inline void SendMouse(DWORD flags, DWORD data = 0, ULONG_PTR extraInfo = 0, LONG dx = 0, LONG dy = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.mouseData = data;
    input.mi.dwFlags = flags;
    input.mi.dwExtraInfo = extraInfo;
    SendInput(1, &input, sizeof input);
}
