// The notification-area icon: add, tooltip, image, remove. The shell knows an icon by window
// and identifier, so the window each identifier was added with is kept here.
#include "ui/Tray.h"

#include "ui/DisplayScale.h"
#include "ui/TrayRecord.h"

namespace {

struct TrayEntry {
    bool used;
    UINT id;
    HWND window;
};

// Written by AddTrayIcon and RemoveTrayIcon on the main thread; read by the other tray
// operations there. The program adds one icon; the room for a few more costs nothing.
TrayEntry gTrayEntries[8];

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
    if (!Shell_NotifyIconW(NIM_ADD, &record)) return false;
    *entry = {true, id, window};
    return true;
}

bool SetTrayToolTip(UINT id, const wchar_t* text)
{
    const TrayEntry* entry = FindTrayEntry(id);
    if (entry == nullptr || text == nullptr) return false;
    NOTIFYICONDATAW record = TrayTipRecord(id, entry->window, text);
    return Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

bool ChangeTrayIcon(UINT id, HICON icon)
{
    const TrayEntry* entry = FindTrayEntry(id);
    if (entry == nullptr || icon == nullptr) return false;
    NOTIFYICONDATAW record = TrayImageRecord(id, entry->window, icon);
    return Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

void RemoveTrayIcon(UINT id)
{
    TrayEntry* entry = FindTrayEntry(id);
    if (entry == nullptr) return;
    NOTIFYICONDATAW record = TrayDeleteRecord(id, entry->window);
    Shell_NotifyIconW(NIM_DELETE, &record);
    entry->used = false;
}

void RemoveAllTrayIcons()
{
    for (TrayEntry& e : gTrayEntries)
        if (e.used) RemoveTrayIcon(e.id);
}
