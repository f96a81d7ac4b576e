// Reading the whole text of a window or gadget.
#pragma once
#include <windows.h>

#include <string>

// The window's text, however long; empty for a window without text or no window.
std::wstring WindowText(HWND window);
