// Maps the input message of a hook notification to the fields of an Input record.
#include "recording/InputRecordFromHookEvent.h"

#include <cstring>

#include "core/Messages.h"

namespace {

void FillKey(int32_t value, int8_t down, InputRecord& record)
{
    record.kind = Key;
    record.code = static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF));
    record.down = down;
}

}  // namespace

bool InputRecordFromHookEvent(const HookEvent& event, InputRecord& record)
{
    record = InputRecord{};
    switch (event.message) {
    case KeyDownMessage:
    case SysKeyDownMessage: FillKey(event.value, 1, record); return true;
    case KeyUpMessage:
    case SysKeyUpMessage: FillKey(event.value, 0, record); return true;
    case LeftButtonDownMessage:
    case LeftButtonUpMessage:
    case RightButtonDownMessage:
    case RightButtonUpMessage:
    case MiddleButtonDownMessage:
    case MiddleButtonUpMessage:
        record.kind = Button;
        record.code = static_cast<int16_t>(event.message);
        return true;
    case XButtonDownMessage:
    case XButtonUpMessage:
        // Which X button goes into y; a player that knows only the three buttons skips the code.
        if (event.value != XButton1 && event.value != XButton2) return false;
        record.kind = Button;
        record.code = static_cast<int16_t>(event.message);
        record.y = event.value;
        return true;
    case MouseMoveMessage:
        record.kind = Move;
        record.x = event.x;
        record.y = event.y;
        return true;
    case MouseWheelMessage:
        record.kind = Wheel;
        record.y = event.value;  // signed notches
        return true;
    case MouseHorizontalWheelMessage:
        record.kind = HorizontalWheel;
        record.y = event.value;  // signed notches, positive to the right
        return true;
    default: return false;
    }
}

int32_t MillisecondsBetween(uint32_t earlier, uint32_t later)
{
    // Unsigned subtraction is modulo 2^32, so a wrap in between cancels out.
    return static_cast<int32_t>(later - earlier);
}
