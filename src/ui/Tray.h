// The notification-area icon.
#pragma once
#include <windows.h>
#include <shellapi.h>

constexpr UINT TrayIconId = 0;

// The side of the icons to give the notification area: the small icon size at the system DPI,
// the scale of the primary display, where the notification area is.
int TrayIconSize();

bool AddTrayIcon(UINT id, HWND window, HICON icon);
bool SetTrayToolTip(UINT id, const wchar_t* text);
bool ChangeTrayIcon(UINT id, HICON icon);
void RemoveTrayIcon(UINT id);
void RemoveAllTrayIcons();
// True for the shell's registered message "TaskbarCreated", which every top-level window
// gets when the notification area has been made anew (the shell restarted after a crash or an
// update) and has forgotten every icon.
bool IsTaskbarCreatedMessage(UINT message);
// Adds every icon the program has added and not removed again, with the image it showed and
// its tooltip.
void AddTrayIconsAgain();

// For tests: the shell call that every tray operation makes (Shell_NotifyIconW unless
// replaced), so that a test can see what reaches the shell.
using TrayShellFunction = BOOL(WINAPI*)(DWORD request, PNOTIFYICONDATAW record);
void SetTrayShellForTest(TrayShellFunction shell);
