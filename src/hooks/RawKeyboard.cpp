// Registering for the keyboard's raw input and reading a key out of WM_INPUT.
#include "hooks/RawKeyboard.h"

#include "hooks/RawKeyCode.h"

namespace {

// The generic desktop page's keyboard (HID usage tables).
constexpr USHORT GenericDesktopPage = 0x01;
constexpr USHORT KeyboardUsage = 0x06;

bool RegisterKeyboard(DWORD flags, HWND window)
{
    RAWINPUTDEVICE device = {GenericDesktopPage, KeyboardUsage, flags, window};
    return RegisterRawInputDevices(&device, 1, sizeof device) != FALSE;
}

bool IsKeyMessage(UINT message)
{
    return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

}  // namespace

bool StartRawKeyboard(HWND window)
{
    return RegisterKeyboard(RIDEV_INPUTSINK, window);
}

void StopRawKeyboard()
{
    RegisterKeyboard(RIDEV_REMOVE, nullptr);
}

bool ReadRawKey(LPARAM input, RawKey& key)
{
    RAWINPUT raw;
    UINT size = sizeof raw;
    const UINT read = GetRawInputData(reinterpret_cast<HRAWINPUT>(input), RID_INPUT, &raw, &size, sizeof raw.header);
    if (read == static_cast<UINT>(-1) || read < sizeof raw.header || raw.header.dwType != RIM_TYPEKEYBOARD)
        return false;
    const RAWKEYBOARD& keyboard = raw.data.keyboard;
    if (!IsKeyMessage(keyboard.Message)) return false;
    key.message = keyboard.Message;
    key.virtualKey = LowLevelKeyCode(keyboard.VKey, keyboard.MakeCode, (keyboard.Flags & RI_KEY_E0) != 0);
    key.extraInformation = keyboard.ExtraInformation;
    return true;
}
