// STUB
#include <windows.h>
extern "C" LRESULT CALLBACK KeyBoardHookProc(int code, WPARAM wParam, LPARAM lParam) { return CallNextHookEx(nullptr, code, wParam, lParam); }
extern "C" void WINAPI InitKeyBoardHook(HWND, HHOOK) {}
