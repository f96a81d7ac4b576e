// Held inputs counted per key and button: a press of something already down is a repeat, a
// release ends the presses however many there were.
#include "RecordHeld.h"

#include <algorithm>

#include "KeyNames.h"
#include "RecordOddity.h"
#include "TextNumbers.h"

namespace {

// The slot of a button record the player plays, or nullptr.
HeldSlot* ButtonSlot(HeldTracker& held, const InputRecord& record)
{
    if (OddityOf(record) == RecordOddity::ButtonCode || OddityOf(record) == RecordOddity::XButton) return nullptr;
    switch (ButtonReleaseMessage(record.code)) {
    case LeftButtonUpMessage: return &held.buttons[0];
    case RightButtonUpMessage: return &held.buttons[1];
    case MiddleButtonUpMessage: return &held.buttons[2];
    default: return &held.buttons[record.y == XButton1 ? 3 : 4];
    }
}

int64_t Follow(HeldSlot& slot, bool press, int16_t code, int64_t number)
{
    if (press) {
        if (slot.presses == 0) {
            slot.pressRecord = number;
            slot.code = code;
        }
        ++slot.presses;
        return 0;
    }
    const int64_t ended = slot.presses;
    slot.presses = 0;
    return ended;
}

}  // namespace

int64_t FollowHeld(HeldTracker& held, const InputRecord& record, int64_t number)
{
    if (record.kind == Key && (record.down == 0 || record.down == 1)) {
        if (held.keys.empty()) held.keys.resize(HeldKeySlots);
        return Follow(held.keys[static_cast<uint16_t>(record.code)], record.down == 1, record.code, number);
    }
    if (record.kind == Button) {
        HeldSlot* slot = ButtonSlot(held, record);
        if (slot != nullptr) {
            const int16_t release = ButtonReleaseMessage(record.code);
            return Follow(*slot, release != record.code, release, number);
        }
    }
    return 0;
}

std::vector<HeldAtEnd> HeldAtEndOf(const HeldTracker& held)
{
    std::vector<HeldAtEnd> down;
    for (const HeldSlot& slot : held.keys) {
        if (slot.presses > 0) down.push_back({Key, slot.code, 0, slot.pressRecord, slot.presses});
    }
    for (int i = 0; i < HeldButtonSlots; ++i) {
        const HeldSlot& slot = held.buttons[i];
        const int32_t xButton = i == 3 ? XButton1 : i == 4 ? XButton2 : 0;
        if (slot.presses > 0) down.push_back({Button, slot.code, xButton, slot.pressRecord, slot.presses});
    }
    std::sort(down.begin(), down.end(), [](const HeldAtEnd& a, const HeldAtEnd& b) { return a.record < b.record; });
    return down;
}

std::string HeldName(const HeldAtEnd& held)
{
    if (held.kind == Button) {
        switch (held.code) {
        case LeftButtonUpMessage: return "left button";
        case RightButtonUpMessage: return "right button";
        case MiddleButtonUpMessage: return "middle button";
        default: return held.xButton == XButton1 ? "X1 button" : "X2 button";
        }
    }
    const std::string_view name = KeyNameOfCode(held.code);
    if (!name.empty()) return "key " + std::string(name);
    const int code = static_cast<uint16_t>(held.code);
    return "key " + HexNumber(static_cast<uint64_t>(code), code > 255 ? 4 : 2);
}
