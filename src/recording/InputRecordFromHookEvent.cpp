// Maps the input message of a hook notification to the fields of an Input record.
#include "recording/InputRecordFromHookEvent.h"

#include <cstring>

#include "core/Messages.h"

namespace {

void FillKey(intptr_t lParam, int8_t down, InputRecord& record)
{
    record.kind = Key;
    record.code = static_cast<int16_t>(static_cast<uint16_t>(lParam & 0xFFFF));
    record.down = down;
}

// The mouse hook module passes the address of the screen position (two signed 32-bit
// integers, x then y) that stays valid for the duration of the notification.
bool FillMove(intptr_t lParam, InputRecord& record)
{
    if (lParam == 0) return false;  // a malformed notification; better no record than a jump to 0,0
    const auto* position = reinterpret_cast<const unsigned char*>(lParam);
    record.kind = Move;
    std::memcpy(&record.x, position, sizeof record.x);
    std::memcpy(&record.y, position + sizeof record.x, sizeof record.y);
    return true;
}

}  // namespace

bool InputRecordFromHookEvent(uintptr_t wParam, intptr_t lParam, InputRecord& record)
{
    record = InputRecord{};
    switch (wParam) {
    case KeyDownMessage:
    case SysKeyDownMessage: FillKey(lParam, 1, record); return true;
    case KeyUpMessage:
    case SysKeyUpMessage: FillKey(lParam, 0, record); return true;
    case LeftButtonDownMessage:
    case LeftButtonUpMessage:
    case RightButtonDownMessage:
    case RightButtonUpMessage:
    case MiddleButtonDownMessage:
    case MiddleButtonUpMessage:
        record.kind = Button;
        record.code = static_cast<int16_t>(wParam & 0xFFFF);
        return true;
    case MouseMoveMessage: return FillMove(lParam, record);
    case MouseWheelMessage:
        record.kind = Wheel;
        record.y = static_cast<int32_t>(lParam);  // signed notches, already in 32 bits
        return true;
    default: return false;
    }
}

int32_t MillisecondsBetween(uint32_t earlier, uint32_t later)
{
    // Unsigned subtraction is modulo 2^32, so a wrap in between cancels out.
    return static_cast<int32_t>(later - earlier);
}
