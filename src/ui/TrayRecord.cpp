// Filling NOTIFYICONDATAW for the four tray requests: zeroed, then only what the request needs.
#include "ui/TrayRecord.h"

#include "core/Messages.h"

namespace {

NOTIFYICONDATAW EmptyRecord(UINT id, HWND window)
{
    NOTIFYICONDATAW record;
    ZeroMemory(&record, sizeof record);
    record.cbSize = sizeof record;
    record.hWnd = window;
    record.uID = id;
    return record;
}

}  // namespace

NOTIFYICONDATAW TrayAddRecord(UINT id, HWND window, HICON icon)
{
    NOTIFYICONDATAW record = EmptyRecord(id, window);
    record.uFlags = NIF_MESSAGE | NIF_ICON;
    record.uCallbackMessage = TrayCallbackMessage;
    record.hIcon = icon;
    return record;
}

NOTIFYICONDATAW TrayTipRecord(UINT id, HWND window, const wchar_t* text)
{
    NOTIFYICONDATAW record = EmptyRecord(id, window);
    record.uFlags = NIF_TIP;
    for (int i = 0; i < TrayTipLength && text[i] != L'\0'; ++i) record.szTip[i] = text[i];
    return record;
}

NOTIFYICONDATAW TrayImageRecord(UINT id, HWND window, HICON icon)
{
    NOTIFYICONDATAW record = EmptyRecord(id, window);
    record.uFlags = NIF_ICON;
    record.hIcon = icon;
    return record;
}

NOTIFYICONDATAW TrayDeleteRecord(UINT id, HWND window)
{
    return EmptyRecord(id, window);
}
