// The plain forms of the record kinds, as the recorder makes them and the player reads them.
#include "RecordOddity.h"

bool IsXButtonMessage(int code)
{
    return code == XButtonDownMessage || code == XButtonUpMessage;
}

bool IsButtonMessage(int code)
{
    switch (code) {
    case LeftButtonDownMessage:
    case LeftButtonUpMessage:
    case RightButtonDownMessage:
    case RightButtonUpMessage:
    case MiddleButtonDownMessage:
    case MiddleButtonUpMessage:
    case XButtonDownMessage:
    case XButtonUpMessage: return true;
    default: return false;
    }
}

int16_t ButtonReleaseMessage(int16_t code)
{
    // Each button's release message directly follows its press message.
    return code == LeftButtonDownMessage || code == RightButtonDownMessage || code == MiddleButtonDownMessage ||
                   code == XButtonDownMessage
               ? static_cast<int16_t>(code + 1)
               : code;
}

RecordOddity OddityOf(const InputRecord& record)
{
    const int code = record.code;
    const int down = record.down;
    const int32_t x = record.x;
    const int32_t y = record.y;
    switch (record.kind) {
    case Key:
        if (code < 1 || code > 255) return RecordOddity::KeyCode;
        if (down != 0 && down != 1) return RecordOddity::KeyDown;
        return x != 0 || y != 0 ? RecordOddity::UnusedField : RecordOddity::None;
    case Button:
        if (!IsButtonMessage(code)) return RecordOddity::ButtonCode;
        // An X button names itself in y (1 back, 2 forward); the other buttons leave it 0.
        if (IsXButtonMessage(code)) {
            if (y != XButton1 && y != XButton2) return RecordOddity::XButton;
            return down != 0 || x != 0 ? RecordOddity::UnusedField : RecordOddity::None;
        }
        return down != 0 || x != 0 || y != 0 ? RecordOddity::UnusedField : RecordOddity::None;
    case Move: return code != 0 || down != 0 ? RecordOddity::UnusedField : RecordOddity::None;
    case Wheel:
    case HorizontalWheel: return code != 0 || down != 0 || x != 0 ? RecordOddity::UnusedField : RecordOddity::None;
    default: return RecordOddity::UnknownKind;
    }
}
