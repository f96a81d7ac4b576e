// Turning an icon file carried in the program's data into an icon handle.
#pragma once
#include <windows.h>

// Decodes an icon file in memory (the best 32 x 32 image); null when it is not an icon file.
HICON LoadIconFromMemory(const unsigned char* iconFile);
// Decodes the image of an icon file in memory that fits size x size pixels best, and makes an
// icon of exactly that size (the system scales the image when the file has no such size); null
// when it is not an icon file or the size is not positive.
HICON LoadIconFromMemoryAtSize(const unsigned char* iconFile, int size);
