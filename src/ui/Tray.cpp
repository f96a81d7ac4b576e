// STUB: replaced by the user-interface work.
#include "ui/Tray.h"
HICON LoadIconFromMemory(const unsigned char*) { return nullptr; }
bool AddTrayIcon(UINT, HWND, HICON) { return false; }
bool SetTrayToolTip(UINT, const wchar_t*) { return false; }
bool ChangeTrayIcon(UINT, HICON) { return false; }
void RemoveTrayIcon(UINT) {}
void RemoveAllTrayIcons() {}
