// LoadIconFromMemory: turns one image of an icon file in memory into an icon handle.
#include "ui/IconFromMemory.h"

#include <vector>

#include "core/LittleEndian.h"
#include "ui/IconDirectory.h"

HICON LoadIconFromMemory(const unsigned char* iconFile)
{
    if (iconFile == nullptr || !IsIconFile(iconFile)) return nullptr;
    const int chosen = ChooseIconImage(iconFile);
    if (chosen < 0) return nullptr;
    const IconImageEntry entry = ReadIconEntry(iconFile, static_cast<unsigned>(chosen));
    // The system wants the image on its own, and on a DWORD boundary.
    std::vector<unsigned char> image(iconFile + entry.offset, iconFile + entry.offset + entry.size);
    if (image.size() < 12) return nullptr;
    const int width = static_cast<int32_t>(GetUnsigned32(image.data() + 4));
    const int height = static_cast<int32_t>(GetUnsigned32(image.data() + 8)) / 2;  // the header counts the mask too
    HICON icon = CreateIconFromResourceEx(image.data(), entry.size, TRUE, 0x30000, width, height, LR_DEFAULTCOLOR);
    if (icon == nullptr && entry.bitCount != 16) icon = CreateIconFromResource(image.data(), entry.size, TRUE, 0x30000);
    return icon;
}
