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

uint8_t UsedFields(const InputRecord& record)
{
    const RecordKindRow* row = FindRecordKind(record.kind);
    if (row == nullptr) return 0;
    // An X button names itself in y (1 back, 2 forward); the other buttons leave it 0.
    if (record.kind == Button && !IsXButtonMessage(record.code)) return row->fields & ~FieldY;
    return row->fields;
}

namespace {

// What the player makes of the fields that a kind uses.
RecordOddity OddityOfUsedFields(const InputRecord& record)
{
    const int code = record.code;
    const int down = record.down;
    switch (static_cast<RecordKind>(record.kind)) {
    case Key:
        if (code < 1 || code > 255) return RecordOddity::KeyCode;
        return down != 0 && down != 1 ? RecordOddity::KeyDown : RecordOddity::None;
    case Button:
        if (!IsButtonMessage(code)) return RecordOddity::ButtonCode;
        return IsXButtonMessage(code) && record.y != XButton1 && record.y != XButton2 ? RecordOddity::XButton
                                                                                      : RecordOddity::None;
    case Move:
    case Wheel:
    case HorizontalWheel: return RecordOddity::None;
    case WindowPlace:
    case WindowSize:
    case WindowName:
    case ControlPlace:
    case ControlSize:
    case ControlId:
    case ControlName: return RecordOddity::GroupRecord;
    }
    return RecordOddity::UnknownKind;
}

}  // namespace

RecordOddity OddityOf(const InputRecord& record)
{
    if (FindRecordKind(record.kind) == nullptr) return RecordOddity::UnknownKind;
    const RecordOddity oddity = OddityOfUsedFields(record);
    if (oddity != RecordOddity::None) return oddity;
    const uint8_t used = UsedFields(record);
    const bool unused = (record.code != 0 && !(used & FieldCode)) || (record.down != 0 && !(used & FieldDown)) ||
                        (record.x != 0 && !(used & FieldX)) || (record.y != 0 && !(used & FieldY));
    return unused ? RecordOddity::UnusedField : RecordOddity::None;
}
