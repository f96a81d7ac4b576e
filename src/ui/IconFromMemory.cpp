// LoadIconFromMemory and LoadIconFromMemoryAtSize: turn one image of an icon file in memory
// into an icon handle.
#include "ui/IconFromMemory.h"

#include <vector>

#include "core/LittleEndian.h"
#include "ui/IconDirectory.h"

namespace {

// Makes the icon of the image at index, at the image's own size when size is 0.
HICON DecodeIconImage(const unsigned char* iconFile, int index, int size)
{
    if (index < 0) return nullptr;
    const IconImageEntry entry = ReadIconEntry(iconFile, static_cast<unsigned>(index));
    // The system wants the image on its own, and on a DWORD boundary.
    std::vector<unsigned char> image(iconFile + entry.offset, iconFile + entry.offset + entry.size);
    if (image.size() < 12) return nullptr;
    const bool ownSize = size == 0;
    const int width = ownSize ? static_cast<int32_t>(GetUnsigned32(image.data() + 4)) : size;
    // The header counts the mask too.
    const int height = ownSize ? static_cast<int32_t>(GetUnsigned32(image.data() + 8)) / 2 : size;
    HICON icon = CreateIconFromResourceEx(image.data(), entry.size, TRUE, 0x30000, width, height, LR_DEFAULTCOLOR);
    // The older call makes the icon at the system's own icon size, which only serves when no
    // particular size was asked for.
    if (icon == nullptr && ownSize && entry.bitCount != 16)
        icon = CreateIconFromResource(image.data(), entry.size, TRUE, 0x30000);
    return icon;
}

}  // namespace

HICON LoadIconFromMemory(const unsigned char* iconFile)
{
    if (iconFile == nullptr || !IsIconFile(iconFile)) return nullptr;
    return DecodeIconImage(iconFile, ChooseIconImage(iconFile), 0);
}

HICON LoadIconFromMemoryAtSize(const unsigned char* iconFile, int size)
{
    if (iconFile == nullptr || size <= 0 || !IsIconFile(iconFile)) return nullptr;
    return DecodeIconImage(iconFile, ChooseIconImageForSize(iconFile, static_cast<unsigned>(size)), size);
}
