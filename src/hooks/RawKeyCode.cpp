// Raw input's side-less modifier codes turned into the sided codes of the keyboard hook.
#include "hooks/RawKeyCode.h"

namespace {

// The platform's virtual-key codes, spelt out: this file builds without the platform headers.
constexpr uint32_t VkShift = 0x10;
constexpr uint32_t VkControl = 0x11;
constexpr uint32_t VkMenu = 0x12;
constexpr uint32_t VkLeftShift = 0xA0;
constexpr uint32_t VkRightShift = 0xA1;
constexpr uint32_t VkLeftControl = 0xA2;
constexpr uint32_t VkRightControl = 0xA3;
constexpr uint32_t VkLeftMenu = 0xA4;
constexpr uint32_t VkRightMenu = 0xA5;
// The right shift key's scan code; both shift keys come without the E0 prefix.
constexpr uint32_t RightShiftMakeCode = 0x36;

}  // namespace

uint32_t LowLevelKeyCode(uint32_t virtualKey, uint32_t makeCode, bool extended)
{
    switch (virtualKey) {
    case VkShift: return makeCode == RightShiftMakeCode ? VkRightShift : VkLeftShift;
    case VkControl: return extended ? VkRightControl : VkLeftControl;
    case VkMenu: return extended ? VkRightMenu : VkLeftMenu;
    default: return virtualKey;
    }
}
