// Loading the two hook modules and installing the low-level hooks through them.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

// Start-up, first: takes the working directory and PATH out of the search for every module
// the process loads later (SetDefaultDllDirectories where the system has it, looked up at run
// time; otherwise SetDllDirectoryW(L""), which takes out the working directory).
void RestrictModuleSearch();
// Loads KeyBoardHook.dll, then MouseHook.dll, from the folder of Tandrel.exe, and looks up
// their hook procedures. A module that is not there stays missing.
void LoadHookModules();
// The same from this folder (no backslash at its end); the tests load the built modules so.
void LoadHookModulesFrom(const std::wstring& folder);
// On the calling thread, which then has to pump its messages for the hook to be called:
// SetWindowsHookExW(WH_KEYBOARD_LL) with the module's procedure, then InitKeyBoardHook(window,
// hook); true when the hook is installed.
bool InstallKeyboardHook(HWND window);
// The same for the mouse.
bool InstallMouseHook(HWND window);
// Removes the keyboard hook, then the mouse hook (those that are installed).
void RemoveHooks();
// Stops the hook thread (which removes its hooks) and removes the hooks installed on the
// calling thread, then unloads the keyboard module and the mouse module (those still
// loaded): the one way the hooks are taken down.
void UnloadHookModules();
// True when a whole screen position at this address lies in the loaded mouse module's image,
// where its ring of move positions is: the one place a move notification may point to.
bool IsMovePositionAddress(uintptr_t address);

// For tests: the hooks installed now, as the install functions last left them (null where
// none), so that a test can remove one behind the installing thread's back.
struct InstalledHookHandles {
    HHOOK keyboard;
    HHOOK mouse;
};
InstalledHookHandles InstalledHookHandlesForTest();
