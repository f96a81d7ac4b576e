// The Idle icon file with one of its true-colour images painted plain opaque blue, so that an
// icon drawn from it tells which image the loader took.
#pragma once
#include <cstring>
#include <vector>

#include "ui/IconData.h"
#include "ui/IconDirectory.h"

// A copy of the Idle file in which the 32-bit image of directory entry `entry` is opaque
// blue: its pixels (after their 40-byte header) blue, its mask all opaque.
inline std::vector<unsigned char> IdleIconWithBlueImage(unsigned entry)
{
    std::vector<unsigned char> file(IdleIconData, IdleIconData + IconFileSize);
    const IconImageEntry image = ReadIconEntry(file.data(), entry);
    unsigned char* pixels = file.data() + image.offset + 40;
    const unsigned pixelCount = image.width * image.height;
    for (unsigned i = 0; i < pixelCount; ++i) {
        pixels[4 * i] = 255;
        pixels[4 * i + 1] = 0;
        pixels[4 * i + 2] = 0;
        pixels[4 * i + 3] = 255;
    }
    const unsigned maskRowBytes = (image.width + 31) / 32 * 4;
    std::memset(pixels + 4 * pixelCount, 0, image.height * maskRowBytes);
    return file;
}
