// Loading the two hook modules and installing the low-level hooks through their exports.
// The program never hooks input itself: KeyBoardHook.dll and MouseHook.dll hold the hook
// procedures and post every input event to the window given to their init exports. The
// program installs them on its hook thread (HookThread.cpp).
#include "hooks/HookModules.h"

#include "hooks/HookThread.h"
#include "hooks/MovePositionAddress.h"

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
// Installed hooks, or null. Written by the install functions and RemoveHooks on the thread
// that installs them (the hook thread in the program, which the hook procedures also run
// on); read by RemoveHooks, by UnloadHookModules once that thread has ended, and by tests.
HHOOK gKeyboardHook = nullptr;
HHOOK gMouseHook = nullptr;
// The loaded mouse module's image, where its ring of move positions lies; empty without the
// module. Written with the modules on the main thread; read by IsMovePositionAddress there.
AddressRange gMouseModuleImage = {0, 0};

// GetProcAddress hands out a generic function pointer; the detour through void(*)() keeps
// the compilers from warning about a cast between unrelated function types.
template <typename Function>
Function LookUpExport(HMODULE module, const char* name)
{
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The module's image as the loader mapped it: SizeOfImage bytes from its base address.
AddressRange ImageOfModule(HMODULE module)
{
    if (module == nullptr) return {0, 0};
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    return {reinterpret_cast<uintptr_t>(base), nt->OptionalHeader.SizeOfImage};
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
    gMouseModuleImage = ImageOfModule(gMouseModule);
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

InstalledHookHandles InstalledHookHandlesForTest()
{
    return {gKeyboardHook, gMouseHook};
}

bool IsMovePositionAddress(uintptr_t address)
{
    return IsPositionInsideRange(address, gMouseModuleImage);
}

void UnloadHookModules()
{
    // A hook whose procedure is unloaded would crash on the next input event, so the hooks go
    // before their modules: the hook thread's, and any installed on this thread. Should the
    // hook thread not end, its modules stay until the process ends.
    if (!StopHookThread()) return;
    RemoveHooks();
    gMouseModuleImage = {0, 0};
    gKeyBoardHookProc = nullptr;
    gInitKeyBoardHook = nullptr;
    gMouseHookProc = nullptr;
    gInitMouseHook = nullptr;
    UnloadModule(gKeyboardModule);
    UnloadModule(gMouseModule);
}
