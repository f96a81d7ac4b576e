// The application icon of a window (caption, task switcher) at the sizes its DPI asks for.
#pragma once
#include <windows.h>

// The two icons a window was given; the program made them and destroys them.
struct WindowIcons {
    HICON smallIcon;
    HICON largeIcon;
};

// Gives the window the application icon at the small and large icon sizes of the DPI, made
// from the embedded icon file's images, and destroys the icons it had before.
void SetWindowIconsForDpi(HWND window, int dpi, WindowIcons& icons);
// Destroys the icons; call once the window is gone (or has other icons).
void DestroyWindowIcons(WindowIcons& icons);
