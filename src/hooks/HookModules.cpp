// STUB: replaced by the hook work.
#include "hooks/HookModules.h"
void LoadHookModules() {}
bool InstallKeyboardHook(HWND) { return true; }
bool InstallMouseHook(HWND) { return true; }
void RemoveHooks() {}
void UnloadHookModules() {}
