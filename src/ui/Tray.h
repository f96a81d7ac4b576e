// The notification-area icon.
#pragma once
#include <windows.h>

constexpr UINT TrayIconId = 0;

// The side of the icons to give the notification area: the small icon size at the system DPI,
// the scale of the primary display, where the notification area is.
int TrayIconSize();

bool AddTrayIcon(UINT id, HWND window, HICON icon);
bool SetTrayToolTip(UINT id, const wchar_t* text);
bool ChangeTrayIcon(UINT id, HICON icon);
void RemoveTrayIcon(UINT id);
void RemoveAllTrayIcons();
