// The keyboard's raw input on the hook thread's window: one of the ways a playback hears F9 with
// the hooks out of its way (PlaybackInputPath.h). Raw input is delivered to the window after
// each key and holds nothing up.
#pragma once
#include <windows.h>

#include <cstdint>

// One key press or release as raw input reported it.
struct RawKey {
    uint32_t message;            // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
    uint32_t virtualKey;         // as the keyboard hook would report it (RawKeyCode.h)
    uintptr_t extraInformation;  // what the input was injected with; 0 for a real key
};

// Hook thread: the process's keyboard raw input goes to `window`, also while another program
// has the focus (RIDEV_INPUTSINK). True when the system took the registration.
bool StartRawKeyboard(HWND window);
// Hook thread: no more keyboard raw input (a message already queued still comes).
void StopRawKeyboard();
// Hook thread, on WM_INPUT: the key in this input; false for anything else and for a handle
// that is no raw input (anyone can post WM_INPUT).
bool ReadRawKey(LPARAM input, RawKey& key);
