// STUB
#include <windows.h>
extern "C" LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam) { return CallNextHookEx(nullptr, code, wParam, lParam); }
extern "C" void WINAPI InitMouseHook(HWND, HHOOK) {}
