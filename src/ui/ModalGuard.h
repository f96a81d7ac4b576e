// The modal guard around the program's dialogs, and the window that owns a dialog.
#pragma once
#include <windows.h>

// Disables and un-tops the calling thread's visible top-level windows, and puts them back.
void BeginModal();
void EndModal();
// The foreground window when it belongs to this process, otherwise none.
HWND DialogOwner();
