// Loading the two hook modules and installing the low-level hooks through them.
#pragma once
#include <windows.h>

// Loads KeyBoardHook.dll, then MouseHook.dll, and looks up their hook procedures.
void LoadHookModules();
// SetWindowsHookExW(WH_KEYBOARD_LL) with the module's procedure, then InitKeyBoardHook(window,
// hook); true when the hook is installed.
bool InstallKeyboardHook(HWND window);
// The same for the mouse.
bool InstallMouseHook(HWND window);
// Removes the keyboard hook, then the mouse hook (those that are installed).
void RemoveHooks();
// Removes the hooks that are installed, then unloads the keyboard module and the mouse module
// (those still loaded): the one way the hooks are taken down.
void UnloadHookModules();
