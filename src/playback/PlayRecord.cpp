// The injection table of playback: which call each record makes and how the Held-input list
// follows it. A pressed button is kept under the message number of its release, the number
// its release record carries (an X button with which one it is). The list changes before the
// injection, so that whoever releases the list while an injection is still under way (the
// exit, when the system holds that call up) finds the press it makes.
#include "playback/PlayRecord.h"

#include "core/Messages.h"
#include "playback/HeldInputs.h"
#include "playback/Injection.h"

namespace {

bool IsXButton(int32_t button)
{
    return button == XButton1 || button == XButton2;
}

// What InjectKey is given for a Key record: the low byte, the extended-key flag set apart.
uint8_t VirtualKeyOf(const InputRecord& record)
{
    return static_cast<uint8_t>(record.code & 0xFF);
}

void PlayKeyRecord(const InputRecord& record)
{
    const uint8_t virtualKey = VirtualKeyOf(record);
    if (record.down == 1) {
        AddHeldInput(Key, record.code);
        InjectKey(virtualKey, true);
    } else if (record.down == 0) {
        RemoveHeldInput(Key, record.code);
        InjectKey(virtualKey, false);
    }
}

void PlayButtonRecord(const InputRecord& record)
{
    switch (record.code) {
    case LeftButtonDownMessage:
        AddHeldInput(Button, LeftButtonUpMessage);
        InjectMouseButton(MouseLeftDown);
        break;
    case LeftButtonUpMessage:
        RemoveHeldInput(Button, LeftButtonUpMessage);
        InjectMouseButton(MouseLeftUp);
        break;
    case RightButtonDownMessage:
        AddHeldInput(Button, RightButtonUpMessage);
        InjectMouseButton(MouseRightDown);
        break;
    case RightButtonUpMessage:
        RemoveHeldInput(Button, RightButtonUpMessage);
        InjectMouseButton(MouseRightUp);
        break;
    case MiddleButtonDownMessage:
        AddHeldInput(Button, MiddleButtonUpMessage);
        InjectMouseButton(MouseMiddleDown);
        break;
    case MiddleButtonUpMessage:
        RemoveHeldInput(Button, MiddleButtonUpMessage);
        InjectMouseButton(MouseMiddleUp);
        break;
    case XButtonDownMessage:
        if (!IsXButton(record.y)) break;
        AddHeldInput(Button, XButtonUpMessage, record.y);
        InjectXButton(record.y, true);
        break;
    case XButtonUpMessage:
        if (!IsXButton(record.y)) break;
        RemoveHeldInput(Button, XButtonUpMessage, record.y);
        InjectXButton(record.y, false);
        break;
    default: break;
    }
}

}  // namespace

bool PressesStopKey(const InputRecord& record)
{
    return record.kind == Key && record.down == 1 && VirtualKeyOf(record) == VirtualKeyF9;
}

int32_t WheelDataOfNotches(int32_t notches)
{
    // Multiplied as unsigned, where wrapping is defined; the conversion back is modular.
    return static_cast<int32_t>(static_cast<uint32_t>(notches) * 120u);
}

void PlayInputRecord(const InputRecord& record)
{
    switch (static_cast<RecordKind>(record.kind)) {
    case Key: PlayKeyRecord(record); break;
    case Button: PlayButtonRecord(record); break;
    case Move: InjectCursorMove(record.x, record.y); break;
    case Wheel: InjectWheel(WheelDataOfNotches(record.y)); break;
    case HorizontalWheel: InjectHorizontalWheel(WheelDataOfNotches(record.y)); break;
    // Window and control groups are read by WindowFollow.cpp, and a kind that no row of
    // RecordKinds.def names is skipped: nothing is injected, only their delays count.
    case WindowPlace:
    case WindowSize:
    case WindowName:
    case ControlPlace:
    case ControlSize:
    case ControlId:
    case ControlName:
    default: break;
    }
}
