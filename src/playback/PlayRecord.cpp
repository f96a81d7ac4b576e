// The injection table of playback: which call each record makes and how the Held-input list
// follows it. A pressed button is kept under the message number of its release, the number
// its release record carries.
#include "playback/PlayRecord.h"

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
    case 513:  // WM_LBUTTONDOWN
        InjectMouseButton(MouseLeftDown);
        AddHeldInput(Button, 514);
        break;
    case 514:  // WM_LBUTTONUP
        InjectMouseButton(MouseLeftUp);
        RemoveHeldInput(Button, 514);
        break;
    case 516:  // WM_RBUTTONDOWN
        InjectMouseButton(MouseRightDown);
        AddHeldInput(Button, 517);
        break;
    case 517:  // WM_RBUTTONUP
        InjectMouseButton(MouseRightUp);
        RemoveHeldInput(Button, 517);
        break;
    case 519:  // WM_MBUTTONDOWN
        InjectMouseButton(MouseMiddleDown);
        AddHeldInput(Button, 520);
        break;
    case 520:  // WM_MBUTTONUP
        InjectMouseButton(MouseMiddleUp);
        RemoveHeldInput(Button, 520);
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
