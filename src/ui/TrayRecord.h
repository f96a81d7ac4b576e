// The records that the tray operations hand to the shell, built apart from the calls so that
// their contents can be checked.
#pragma once
#include <windows.h>
#include <shellapi.h>

// The full record of a 32-bit program, balloon GUID and icon included.
static_assert(sizeof(NOTIFYICONDATAW) == 956 || sizeof(void*) != 4, "NOTIFYICONDATAW must be 956 bytes");

// Longest tooltip the program hands over; the rest of szTip stays zero.
constexpr int TrayTipLength = 63;

NOTIFYICONDATAW TrayAddRecord(UINT id, HWND window, HICON icon);
NOTIFYICONDATAW TrayTipRecord(UINT id, HWND window, const wchar_t* text);
NOTIFYICONDATAW TrayImageRecord(UINT id, HWND window, HICON icon);
NOTIFYICONDATAW TrayDeleteRecord(UINT id, HWND window);
