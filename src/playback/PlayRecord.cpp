// The injection table of playback: which call each record makes and how the Held-input list
// follows it. A pressed button is kept under the message number of its release, the number
// its release record carries.
#include "playback/PlayRecord.h"

#include "core/Messages.h"
#include "playback/HeldInputs.h"
#include "playback/Injection.h"

namespace {

void PlayKeyRecord(const InputRecord& record)
{
    const uint8_t virtualKey = static_cast<uint8_t>(record.code & 0xFF);
    if (record.down == 1) {
        InjectKey(virtualKey, true);
        AddHeldInput(Key, record.code);
    } else if (record.down == 0) {
        InjectKey(virtualKey, false);
        RemoveHeldInput(Key, record.code);
    }
}

void PlayButtonRecord(const InputRecord& record)
{
    switch (record.code) {
    case LeftButtonDownMessage:
        InjectMouseButton(MouseLeftDown);
        AddHeldInput(Button, LeftButtonUpMessage);
        break;
    case LeftButtonUpMessage:
        InjectMouseButton(MouseLeftUp);
        RemoveHeldInput(Button, LeftButtonUpMessage);
        break;
    case RightButtonDownMessage:
        InjectMouseButton(MouseRightDown);
        AddHeldInput(Button, RightButtonUpMessage);
        break;
    case RightButtonUpMessage:
        InjectMouseButton(MouseRightUp);
        RemoveHeldInput(Button, RightButtonUpMessage);
        break;
    case MiddleButtonDownMessage:
        InjectMouseButton(MouseMiddleDown);
        AddHeldInput(Button, MiddleButtonUpMessage);
        break;
    case MiddleButtonUpMessage:
        InjectMouseButton(MouseMiddleUp);
        RemoveHeldInput(Button, MiddleButtonUpMessage);
        break;
    default: break;
    }
}

}  // namespace

int32_t WheelDataOfNotches(int32_t notches)
{
    // Multiplied as unsigned, where wrapping is defined; the conversion back is modular.
    return static_cast<int32_t>(static_cast<uint32_t>(notches) * 120u);
}

void PlayInputRecord(const InputRecord& record)
{
    switch (record.kind) {
    case Key: PlayKeyRecord(record); break;
    case Button: PlayButtonRecord(record); break;
    case Move: InjectCursorMove(record.x, record.y); break;
    case Wheel: InjectWheel(WheelDataOfNotches(record.y)); break;
    default: break;
    }
}
