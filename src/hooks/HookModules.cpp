// Loading the two hook modules and installing the low-level hooks through their exports.
// The program never hooks input itself: KeyBoardHook.dll and MouseHook.dll hold the hook
// procedures and post every input event to the window given to their init exports.
#include "hooks/HookModules.h"

namespace {

// The init exports: (window, hook), stdcall; the module keeps both for its procedure.
using InitHookFunction = void(WINAPI*)(HWND window, HHOOK hook);

// Loaded modules, or null. Written by LoadHookModules and UnloadHookModules on the main
// thread; read by the install functions and by shutdown, on the main thread.
HMODULE gKeyboardModule = nullptr;
HMODULE gMouseModule = nullptr;
// Exports of the loaded modules, or null when a module is missing or lacks them. Written with
// the modules; read by the install functions.
HOOKPROC gKeyBoardHookProc = nullptr;
InitHookFunction gInitKeyBoardHook = nullptr;
HOOKPROC gMouseHookProc = nullptr;
InitHookFunction gInitMouseHook = nullptr;
// Installed hooks, or null. Written by the install functions and RemoveHooks on the main
// thread, which is also the thread the hook procedures run on; read by RemoveHooks.
HHOOK gKeyboardHook = nullptr;
HHOOK gMouseHook = nullptr;

// GetProcAddress hands out a generic function pointer; the detour through void(*)() keeps
// the compilers from warning about a cast between unrelated function types.
template <typename Function>
Function LookUpExport(HMODULE module, const char* name)
{
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

void RemoveHook(HHOOK& hook)
{
    if (hook != nullptr) UnhookWindowsHookEx(hook);
    hook = nullptr;
}

void UnloadModule(HMODULE& module)
{
    if (module != nullptr) FreeLibrary(module);
    module = nullptr;
}

// SetWindowsHookExW with the module's procedure (a hook of 0 without it), then the init
// export with the window and whatever hook came out, also 0, as long as the module has it.
bool InstallHook(int type, HMODULE module, HOOKPROC proc, InitHookFunction init, HWND window, HHOOK& hook)
{
    RemoveHook(hook);  // installing twice must not leave the first hook behind
    if (module != nullptr && proc != nullptr) hook = SetWindowsHookExW(type, proc, module, 0);
    if (module != nullptr && init != nullptr) init(window, hook);
    return hook != nullptr;
}

}  // namespace

void LoadHookModules()
{
    // Loaded once: a second call must not raise the modules' reference counts.
    if (gKeyboardModule == nullptr) gKeyboardModule = LoadLibraryW(L"KeyBoardHook.dll");
    if (gMouseModule == nullptr) gMouseModule = LoadLibraryW(L"MouseHook.dll");
    gKeyBoardHookProc = LookUpExport<HOOKPROC>(gKeyboardModule, "KeyBoardHookProc");
    gInitKeyBoardHook = LookUpExport<InitHookFunction>(gKeyboardModule, "InitKeyBoardHook");
    gMouseHookProc = LookUpExport<HOOKPROC>(gMouseModule, "MouseHookProc");
    gInitMouseHook = LookUpExport<InitHookFunction>(gMouseModule, "InitMouseHook");
}

bool InstallKeyboardHook(HWND window)
{
    return InstallHook(WH_KEYBOARD_LL, gKeyboardModule, gKeyBoardHookProc, gInitKeyBoardHook, window, gKeyboardHook);
}

bool InstallMouseHook(HWND window)
{
    return InstallHook(WH_MOUSE_LL, gMouseModule, gMouseHookProc, gInitMouseHook, window, gMouseHook);
}

void RemoveHooks()
{
    RemoveHook(gKeyboardHook);
    RemoveHook(gMouseHook);
}

void UnloadHookModules()
{
    // A hook whose procedure is unloaded would crash on the next input event, so a hook that
    // is still installed (the exits after a failed hook) goes before its module.
    RemoveHooks();
    gKeyBoardHookProc = nullptr;
    gInitKeyBoardHook = nullptr;
    gMouseHookProc = nullptr;
    gInitMouseHook = nullptr;
    UnloadModule(gKeyboardModule);
    UnloadModule(gMouseModule);
}
