// The notification-area icon: add, tooltip, image, remove, and add again when the shell has
// restarted. The shell knows an icon by window and identifier, so the window each identifier
// was added with is kept here, and what it shows, to be added again as it was.
#include "core/ModuleExports.h"
#include "ui/Tray.h"

#include "ui/DisplayScale.h"
#include "ui/TrayRecord.h"

namespace {

struct TrayEntry {
    bool used;
    UINT id;
    HWND window;
    HICON icon;                      // the image it shows now
    wchar_t tip[TrayTipLength + 1];  // its tooltip, empty without one
};

// Written by AddTrayIcon, SetTrayToolTip, ChangeTrayIcon and RemoveTrayIcon on the main
// thread; read by the other tray operations there. The program adds one icon; the room for a
// few more costs nothing.
TrayEntry gTrayEntries[8];

// The shell's notification-area call, or a test's stand-in. Written by SetTrayShellForTest on
// the main thread before any icon is added; read by every tray operation there.
TrayShellFunction gTrayShell = Shell_NotifyIconW;
// The number of the shell's message "TaskbarCreated", 0 until it is first asked for. Written
// and read by IsTaskbarCreatedMessage on the main thread.
UINT gTaskbarCreatedMessage = 0;

// The message filter calls of LetTaskbarCreatedThrough, not in every SDK's headers.
constexpr DWORD MessageFilterAllow = 1;
using ChangeWindowMessageFilterExFunction = BOOL(WINAPI*)(HWND window, UINT message, DWORD action, void* status);
using ChangeWindowMessageFilterFunction = BOOL(WINAPI*)(UINT message, DWORD action);

// A program running with higher rights (started as administrator) does not hear the shell's
// "TaskbarCreated", which comes from a process with fewer, unless its window lets it through;
// without it the icon would not come back after the shell restarts. Looked up at run time:
// the window's filter from Windows 7 on, the process's on Vista, nothing before (no filter).
void LetTaskbarCreatedThrough(HWND window)
{
    const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    if (message == 0) return;
    if (const auto forWindow =
            LookUpLoadedExport<ChangeWindowMessageFilterExFunction>(L"user32.dll", "ChangeWindowMessageFilterEx")) {
        forWindow(window, message, MessageFilterAllow, nullptr);
    } else if (const auto forProcess =
                   LookUpLoadedExport<ChangeWindowMessageFilterFunction>(L"user32.dll", "ChangeWindowMessageFilter")) {
        forProcess(message, MessageFilterAllow);
    }
}

TrayEntry* FindTrayEntry(UINT id)
{
    for (TrayEntry& e : gTrayEntries)
        if (e.used && e.id == id) return &e;
    return nullptr;
}

}  // namespace

int TrayIconSize()
{
    return SystemMetricForDpi(SM_CXSMICON, SystemDpi());
}

bool AddTrayIcon(UINT id, HWND window, HICON icon)
{
    if (window == nullptr || icon == nullptr) return false;
    TrayEntry* entry = FindTrayEntry(id);
    if (entry == nullptr)
        for (TrayEntry& e : gTrayEntries)
            if (!e.used) {
                entry = &e;
                break;
            }
    if (entry == nullptr) return false;
    NOTIFYICONDATAW record = TrayAddRecord(id, window, icon);
    if (!gTrayShell(NIM_ADD, &record)) return false;
    *entry = {true, id, window, icon, {}};
    LetTaskbarCreatedThrough(window);
    return true;
}

bool SetTrayToolTip(UINT id, const wchar_t* text)
{
    TrayEntry* entry = FindTrayEntry(id);
    if (entry == nullptr || text == nullptr) return false;
    NOTIFYICONDATAW record = TrayTipRecord(id, entry->window, text);
    for (int i = 0; i <= TrayTipLength; ++i) entry->tip[i] = record.szTip[i];
    return gTrayShell(NIM_MODIFY, &record) != FALSE;
}

bool ChangeTrayIcon(UINT id, HICON icon)
{
    TrayEntry* entry = FindTrayEntry(id);
    if (entry == nullptr || icon == nullptr) return false;
    entry->icon = icon;
    NOTIFYICONDATAW record = TrayImageRecord(id, entry->window, icon);
    return gTrayShell(NIM_MODIFY, &record) != FALSE;
}

void RemoveTrayIcon(UINT id)
{
    TrayEntry* entry = FindTrayEntry(id);
    if (entry == nullptr) return;
    NOTIFYICONDATAW record = TrayDeleteRecord(id, entry->window);
    gTrayShell(NIM_DELETE, &record);
    entry->used = false;
}

void RemoveAllTrayIcons()
{
    for (TrayEntry& e : gTrayEntries)
        if (e.used) RemoveTrayIcon(e.id);
}

bool IsTaskbarCreatedMessage(UINT message)
{
    // Registered by the shell and every program that listens for it: the same number for all
    // of them until the session ends.
    if (gTaskbarCreatedMessage == 0) gTaskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
    return gTaskbarCreatedMessage != 0 && message == gTaskbarCreatedMessage;
}

void AddTrayIconsAgain()
{
    for (TrayEntry& e : gTrayEntries) {
        if (!e.used) continue;
        NOTIFYICONDATAW record = TrayAddRecord(e.id, e.window, e.icon);
        gTrayShell(NIM_ADD, &record);
        if (e.tip[0] == L'\0') continue;
        NOTIFYICONDATAW tip = TrayTipRecord(e.id, e.window, e.tip);
        gTrayShell(NIM_MODIFY, &tip);
    }
}

void SetTrayShellForTest(TrayShellFunction shell)
{
    gTrayShell = shell;
}
