// Window helpers of the Win32 tests: pumping this thread's messages until a condition holds,
// reading texts and class names back, finding windows, and opening plain windows of the
// test's own.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Dispatches this thread's messages until done() holds or the deadline passes; false then.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// The window's text. Safe on a window of another thread: a thread that does not answer within
// five seconds gives an empty text instead of a hang.
std::wstring TextOf(HWND window);
// The texts of every child window, in the order the system lists them.
std::vector<std::wstring> ChildTexts(HWND window);
// The class name without the version prefix that styled controls may carry ("6.0...!Button").
std::wstring BaseClassName(HWND window);

// A visible top-level window of this thread by class name (and title, if given); nullptr when
// there is none.
HWND FindOwnWindow(const wchar_t* className, const wchar_t* title = nullptr);

// Makes a window of this thread the foreground window and waits until the system agrees.
bool BringToForeground(HWND window);
// A shown top-level window of this thread, to stand for "some other window".
HWND OpenPlainWindow(const wchar_t* title, int x);
bool IsTopmost(HWND window);
// A message-only window of this thread, of its own class (registered at the first call) with
// this procedure; nullptr when it cannot be made.
HWND OpenMessageWindow(const wchar_t* className, WNDPROC procedure);
