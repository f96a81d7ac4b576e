// The names of the Windows virtual-key codes in the text form of a recording.
#pragma once
#include <string_view>

// The name written for a virtual-key code (1 to 255); empty when the code has none and is
// written in hex instead.
std::string_view KeyNameOfCode(int code);

// The virtual-key code of a name, or -1 for an unknown name. Case does not matter, and so
// neither do underscores nor a leading "VK_", so that the platform's own constant names
// (VK_RETURN, VK_OEM_COMMA) are understood as well as the written names (Return, OemComma).
int KeyCodeOfName(std::string_view name);
