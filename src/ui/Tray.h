// The notification-area icon and the decoding of the embedded icon files.
#pragma once
#include <windows.h>

constexpr UINT TrayIconId = 0;

// Decodes an icon file in memory (the best 32 x 32 image); null when it is not an icon file.
HICON LoadIconFromMemory(const unsigned char* iconFile);
bool AddTrayIcon(UINT id, HWND window, HICON icon);
bool SetTrayToolTip(UINT id, const wchar_t* text);
bool ChangeTrayIcon(UINT id, HICON icon);
void RemoveTrayIcon(UINT id);
void RemoveAllTrayIcons();
