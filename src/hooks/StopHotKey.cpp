// Registering F9 as the hook thread's hot key, in every combination of the modifier keys.
#include "hooks/StopHotKey.h"

namespace {

// The ids of our hot keys: this base plus the modifier combination. Ids of an application are
// below 0xC000.
constexpr int StopHotKeyFirstId = 0x7A90;
constexpr UINT ModifierCombinations = 16;  // MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN is 15

void UnregisterBelow(HWND window, UINT combinations)
{
    for (UINT modifiers = 0; modifiers < combinations; ++modifiers)
        UnregisterHotKey(window, StopHotKeyFirstId + static_cast<int>(modifiers));
}

}  // namespace

bool RegisterStopHotKeys(HWND window)
{
    for (UINT modifiers = 0; modifiers < ModifierCombinations; ++modifiers) {
        if (!RegisterHotKey(window, StopHotKeyFirstId + static_cast<int>(modifiers), modifiers, VK_F9)) {
            UnregisterBelow(window, modifiers);
            return false;
        }
    }
    return true;
}

void UnregisterStopHotKeys(HWND window)
{
    UnregisterBelow(window, ModifierCombinations);
}

bool IsStopHotKey(WPARAM id)
{
    return id >= StopHotKeyFirstId && id < StopHotKeyFirstId + ModifierCombinations;
}
