// The main window, its ten gadgets and the events it hands to the event loop.
#pragma once
#include <windows.h>
#include <string>

enum Gadget : int {
    RecordingsFrame = 0,
    RecordingsList = 1,
    RepeatLabel = 2,
    RepeatCountField = 3,
    PlayButton = 4,
    RenameButton = 5,
    RemoveButton = 6,
    RecordKeyLabel = 7,
    StopKeyLabel = 8,
    F9Label = 9,
};

// Written by OpenMainWindow on the main thread (null until then, and when it failed); read
// everywhere on the main thread, and handed to the hook modules and the playback worker.
extern HWND gMainWindow;

using MainWindowCallbackProc = bool (*)(HWND, UINT, WPARAM, LPARAM);

// Creates the window and its gadgets, shown or invisible; makes it topmost without
// activating it. Returns the window, or null when it cannot be created.
HWND OpenMainWindow(bool shown);
// The window procedure calls this before its own handling, for every message.
void InstallMainWindowCallback(MainWindowCallbackProc callback);
void HideMainWindow();
// Shows the window again in the form it had (normal, minimised, maximised) and activates it.
void ShowMainWindow();
// Shows the window again in the form it had without activating it: the focus stays in the
// application the user is in (the window, always on top, is seen all the same).
void ShowMainWindowInBackground();
void DestroyMainWindow();

std::wstring SelectedRecordingName();
void ClearRecordingsList();
void AppendRecordingsListEntry(const std::wstring& text);
std::wstring RepeatCountText();

enum class WindowEventKind {
    Gadget,
    CloseRequest
};
struct WindowEvent {
    WindowEventKind kind;
    int gadget;  // for Gadget: 4, 5 or 6
};
// The event loop's wait: dispatches the thread's messages (dialog navigation included) until
// a button of the main window is clicked or the window is asked to close.
WindowEvent WaitWindowEvent();
