// STUB
#include "app/MainWindowCallback.h"
bool MainWindowCallback(HWND, UINT, WPARAM, LPARAM) { return false; }
