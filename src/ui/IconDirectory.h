// Reading the directory of an icon file in memory, and the choice of the image that the
// program turns into an icon handle. Pure logic: no platform headers.
#pragma once
#include <cstddef>
#include <cstdint>

// One entry of an icon file's directory.
struct IconImageEntry {
    unsigned width;  // 1 to 256 (a stored 0 means 256)
    unsigned height;
    unsigned bitCount;
    std::uint32_t size;    // bytes of the image
    std::uint32_t offset;  // from the start of the file
};

// True when the fileSize bytes at file hold a whole icon file: its header, a directory of at
// least one entry, and every entry's image (at least its header's sizes) within the file. The
// other functions read a file as far as its directory says, so a file from outside the program
// is to pass this first; the program's own icon files do.
bool IsWholeIconFile(const unsigned char* file, std::size_t fileSize);
// True when the file starts with the reserved word 0 and the type word 1 (icon).
bool IsIconFile(const unsigned char* file);
unsigned IconImageCount(const unsigned char* file);
IconImageEntry ReadIconEntry(const unsigned char* file, unsigned index);
// The image to decode: among the entries with the first entry's width and height, the one with
// the most bits per pixel, the earliest among equals. Returns -1 when there is no entry.
int ChooseIconImage(const unsigned char* file);
// The image to decode for an icon of size x size pixels (a size that the display scale asks
// for): the entry whose width and height are closest to it; of two equally close, the larger,
// since the system shrinks an image more cleanly than it enlarges one; then the one with the
// most bits per pixel, the earliest among equals. Returns -1 when there is no entry.
int ChooseIconImageForSize(const unsigned char* file, unsigned size);
