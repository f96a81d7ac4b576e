// The two status icons, complete .ico files carried in the program's data (IconData.cpp is
// made by EmbedIcons.cmake from the committed icon files).
#pragma once

// The size of each of the two files, in bytes; both are drawn alike.
extern const unsigned IconFileSize;
extern const unsigned char IdleIconData[];
extern const unsigned char ActiveIconData[];
