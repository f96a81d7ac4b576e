// LoadIconFromMemory: turns one image of an icon file in memory into an icon handle.
#include "ui/Tray.h"

#include <vector>

#include "ui/IconDirectory.h"

namespace {

LONG BitmapHeaderLong(const unsigned char* p)
{
    return static_cast<LONG>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<unsigned>(p[3]) << 24));
}

}  // namespace

HICON LoadIconFromMemory(const unsigned char* iconFile)
{
    if (iconFile == nullptr || !IsIconFile(iconFile)) return nullptr;
    const int chosen = ChooseIconImage(iconFile);
    if (chosen < 0) return nullptr;
    const IconImageEntry entry = ReadIconEntry(iconFile, static_cast<unsigned>(chosen));
    // The system wants the image on its own, and on a DWORD boundary.
    std::vector<unsigned char> image(iconFile + entry.offset, iconFile + entry.offset + entry.size);
    if (image.size() < 12) return nullptr;
    const int width = BitmapHeaderLong(image.data() + 4);
    const int height = BitmapHeaderLong(image.data() + 8) / 2;  // the header counts the mask too
    HICON icon = CreateIconFromResourceEx(image.data(), entry.size, TRUE, 0x30000, width, height, LR_DEFAULTCOLOR);
    if (icon == nullptr && entry.bitCount != 16) icon = CreateIconFromResource(image.data(), entry.size, TRUE, 0x30000);
    return icon;
}
