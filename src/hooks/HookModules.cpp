// Loading the two hook modules and installing the low-level hooks through their exports.
// The program never hooks input itself: KeyBoardHook.dll and MouseHook.dll hold the hook
// procedures and post every input event to the window given to their init exports. The
// program installs them on its hook thread (HookThread.cpp). The modules are loaded by their
// full path in the program's own folder, never found by a search: a file of the same name in
// the working directory (a downloads folder, a share) or on PATH must not run inside the
// program, on whose hook thread the system calls the low-level hook procedures for the input
// of the whole desktop (they run in the installing thread, not in the processes whose input
// they see).
#include "core/ModuleExports.h"
#include "hooks/HookModules.h"

#include <string>

#include "core/PlaybackMark.h"
#include "hooks/HookThread.h"
#include "hooks/MovePositionAddress.h"

namespace {

// The module search of SetDefaultDllDirectories: the program's folder, System32 and folders
// added on purpose, but neither the working directory nor PATH. Not in every SDK's headers.
constexpr DWORD LoadLibrarySearchDefaultDirs = 0x00001000;
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD flags);
// The longest path the platform knows, in characters.
constexpr size_t LongestPath = 32768;

// The init exports: (window, hook), stdcall; the module keeps both for its procedure.
using InitHookFunction = void(WINAPI*)(HWND window, HHOOK hook);
// The mark exports: the address of the program's playback mark, stdcall.
using ShareMarkFunction = void(WINAPI*)(PlaybackMark* shared);

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
// module. Written with the modules on the main thread, while no hook thread runs (before it
// starts, after it has ended); read by IsMovePositionAddress on the hook thread, for each move.
AddressRange gMouseModuleImage = {0, 0};

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

// The folder of Tandrel.exe, without the backslash at its end; empty when it cannot be read.
std::wstring ProgramFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        // Cut short: a path longer than the buffer (a deep folder beyond MAX_PATH).
        if (path.size() >= LongestPath) return {};
        path.resize(path.size() * 2);
    }
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

// The full path of a file in this folder, in the form that is not bound to MAX_PATH where it
// is longer than that.
std::wstring PathInFolder(const std::wstring& folder, const wchar_t* file)
{
    std::wstring path = folder + L"\\" + file;
    if (path.size() < MAX_PATH || path.rfind(L"\\\\?\\", 0) == 0) return path;
    if (path.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + path.substr(2);  // \\server\share\...
    return L"\\\\?\\" + path;
}

HMODULE LoadModuleFrom(const std::wstring& folder, const wchar_t* file)
{
    // No folder, no module: never a search for it elsewhere.
    if (folder.empty()) return nullptr;
    return LoadLibraryW(PathInFolder(folder, file).c_str());
}

}  // namespace

void RestrictModuleSearch()
{
    HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
    const auto setDefaultDirectories =
        LookUpExport<SetDefaultDllDirectoriesFunction>(kernel32, "SetDefaultDllDirectories");
    if (setDefaultDirectories != nullptr && setDefaultDirectories(LoadLibrarySearchDefaultDirs)) return;
    // Older systems without that update: at least the working directory leaves the search.
    SetDllDirectoryW(L"");
}

void LoadHookModules()
{
    LoadHookModulesFrom(ProgramFolder());
}

void LoadHookModulesFrom(const std::wstring& folder)
{
    // Loaded once: a second call must not raise the modules' reference counts.
    if (gKeyboardModule == nullptr) gKeyboardModule = LoadModuleFrom(folder, L"KeyBoardHook.dll");
    if (gMouseModule == nullptr) gMouseModule = LoadModuleFrom(folder, L"MouseHook.dll");
    gKeyBoardHookProc = LookUpExport<HOOKPROC>(gKeyboardModule, "KeyBoardHookProc");
    gInitKeyBoardHook = LookUpExport<InitHookFunction>(gKeyboardModule, "InitKeyBoardHook");
    gMouseHookProc = LookUpExport<HOOKPROC>(gMouseModule, "MouseHookProc");
    gInitMouseHook = LookUpExport<InitHookFunction>(gMouseModule, "InitMouseHook");
    gMouseModuleImage = ImageOfModule(gMouseModule);
    // Before any hook is installed. A module without the export knows no mark and reports
    // everything, the playback's own input too.
    if (const auto share = LookUpExport<ShareMarkFunction>(gKeyboardModule, "ShareKeyBoardHookMark"))
        share(&gPlaybackMark);
    if (const auto share = LookUpExport<ShareMarkFunction>(gMouseModule, "ShareMouseHookMark")) share(&gPlaybackMark);
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
