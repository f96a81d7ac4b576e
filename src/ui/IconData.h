// The two status icons, complete .ico files carried in the program's data.
#pragma once

constexpr unsigned IconFileSize = 9062;
extern const unsigned char IdleIconData[IconFileSize];
extern const unsigned char ActiveIconData[IconFileSize];
