// The window that owns a dialog of the program.
#pragma once
#include <windows.h>

// The foreground window when it belongs to this process, otherwise none.
HWND DialogOwner();
