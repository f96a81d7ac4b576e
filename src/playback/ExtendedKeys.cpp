// The extended-key rule for injected keys. Without the flag, an arrow key arrives as the
// number-pad key with the same scan code, and a right Ctrl or right Alt released without it
// does not release the key that was pressed with it, which then stays down.
#include "playback/ExtendedKeys.h"

bool IsExtendedVirtualKey(uint8_t virtualKey)
{
    switch (virtualKey) {
    case 0x21:  // VK_PRIOR (Page Up)
    case 0x22:  // VK_NEXT (Page Down)
    case 0x23:  // VK_END
    case 0x24:  // VK_HOME
    case 0x25:  // VK_LEFT
    case 0x26:  // VK_UP
    case 0x27:  // VK_RIGHT
    case 0x28:  // VK_DOWN
    case 0x2D:  // VK_INSERT
    case 0x2E:  // VK_DELETE
    case 0x5B:  // VK_LWIN
    case 0x5C:  // VK_RWIN
    case 0x5D:  // VK_APPS
    case 0x6F:  // VK_DIVIDE
    case 0x90:  // VK_NUMLOCK
    case 0xA3:  // VK_RCONTROL
    case 0xA5:  // VK_RMENU
        return true;
    default: return false;
    }
}
