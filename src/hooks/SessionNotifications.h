// The session's lock and unlock, told to a window as WM_WTSSESSION_CHANGE: the hook thread
// installs the hooks again after an unlock. The calls live in wtsapi32.dll, which is loaded
// and looked up at run time; without it the window simply hears nothing.
#pragma once
#include <windows.h>

// On the hook thread: asks the system to tell `window` of this session's changes. True when
// it will.
bool StartSessionNotifications(HWND window);
// On the hook thread, before `window` is destroyed: undoes StartSessionNotifications and
// unloads wtsapi32.dll. Nothing happens when it was not started.
void StopSessionNotifications(HWND window);
