// Turning an icon file carried in the program's data into an icon handle.
#pragma once
#include <windows.h>

// Decodes an icon file in memory (the best 32 x 32 image); null when it is not an icon file.
HICON LoadIconFromMemory(const unsigned char* iconFile);
