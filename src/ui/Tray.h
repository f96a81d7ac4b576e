// The notification-area icon.
#pragma once
#include <windows.h>

constexpr UINT TrayIconId = 0;

bool AddTrayIcon(UINT id, HWND window, HICON icon);
bool SetTrayToolTip(UINT id, const wchar_t* text);
bool ChangeTrayIcon(UINT id, HICON icon);
void RemoveTrayIcon(UINT id);
void RemoveAllTrayIcons();
