// What the system says about the display scale: the DPI of the system and of a window, the
// frame, metrics and user-interface font at a DPI. The per-DPI calls are looked up at run time;
// where the system lacks them, the answer for the system DPI is scaled (or taken as it is).
#pragma once
#include <windows.h>

// The system DPI, the primary display's at log-on: GetDpiForSystem, else the screen's
// LOGPIXELSX.
int SystemDpi();
// The DPI of the display a window is on: GetDpiForWindow, else the system DPI.
int WindowDpi(HWND window);
// How much wider and taller a window of this style is than its client area at the DPI:
// AdjustWindowRectExForDpi, else AdjustWindowRectEx's frame scaled from the system DPI.
SIZE FrameExtentForDpi(DWORD style, DWORD exStyle, int dpi);
// A system metric (say SM_CXSMICON) at the DPI: GetSystemMetricsForDpi, else GetSystemMetrics
// scaled from the system DPI.
int SystemMetricForDpi(int index, int dpi);

// The font of a window's gadgets at one DPI, and whether the program made it (and so has to
// delete it) or it is the system's stock font.
struct InterfaceFont {
    HFONT handle;
    bool created;
};
// The user-interface font at the DPI: the message font of the non-client metrics for that DPI
// (SystemParametersInfoForDpi). At 96 DPI on a 96-DPI system the layout's own font, the stock
// default GUI font, as it always was; without the per-DPI call, that font scaled to the DPI.
InterfaceFont CreateInterfaceFont(int dpi);
// Deletes the font if the program made it; call once no window uses it any more.
void DestroyInterfaceFont(InterfaceFont& font);
