// Window icons at the window's DPI (see WindowIcons.h). The application icon is the Idle icon,
// whose file is carried in the program's data as well as in its resources.
#include "ui/WindowIcons.h"

#include "ui/DisplayScale.h"
#include "ui/IconData.h"
#include "ui/IconFromMemory.h"

void SetWindowIconsForDpi(HWND window, int dpi, WindowIcons& icons)
{
    WindowIcons old = icons;
    icons.smallIcon = LoadIconFromMemoryAtSize(IdleIconData, SystemMetricForDpi(SM_CXSMICON, dpi));
    icons.largeIcon = LoadIconFromMemoryAtSize(IdleIconData, SystemMetricForDpi(SM_CXICON, dpi));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.smallIcon));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.largeIcon));
    // Only now does the window no longer show the old ones.
    DestroyWindowIcons(old);
}

void DestroyWindowIcons(WindowIcons& icons)
{
    if (icons.smallIcon != nullptr) DestroyIcon(icons.smallIcon);
    if (icons.largeIcon != nullptr) DestroyIcon(icons.largeIcon);
    icons = {nullptr, nullptr};
}
