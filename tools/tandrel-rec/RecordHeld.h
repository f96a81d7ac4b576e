// What a pass leaves pressed, key by key and button by button: one slot for each, so following
// a recording costs the same for every record however many keys are down. A key held long
// enough records one press per auto-repeat; those repeats keep it down, they do not stack up.
// Keys are told apart as the player's Held-input list tells them (src/playback/HeldInputs.cpp):
// by the whole 16-bit code, although only its low byte is sent. So a press of 0x141 and a
// release of 0x41 are two keys, and the player releases 0x41 once more at the end of the pass.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "recording/InputRecord.h"

struct HeldSlot {
    int64_t presses;      // presses since it was last up (1 plus the repeats); 0 while up
    int64_t pressRecord;  // while down: the 1-based number of the record that pressed it
    int16_t code;         // while down: that record's code
};

// Left, right, middle, X1, X2.
constexpr int HeldButtonSlots = 5;
// One for every 16-bit key code.
constexpr size_t HeldKeySlots = 65536;

// Starts as HeldTracker{}.
struct HeldTracker {
    std::vector<HeldSlot> keys;  // by the whole code; HeldKeySlots of them from the first key on
    HeldSlot buttons[HeldButtonSlots];
};

// A key or button down at the end of a pass; the player releases it.
struct HeldAtEnd {
    int8_t kind;      // Key or Button
    int16_t code;     // Key: the pressing record's code; Button: the release message (514 ... 524)
    int32_t xButton;  // an X button: 1 or 2; else 0
    int64_t record;   // the record that pressed it
    int64_t presses;  // 1 plus the repeats since
};

// Follows one record (number: its 1-based number) as the player plays it: records the player
// skips change nothing. Answers, for a release of something down, how many presses it ends
// (more than 1 when the key repeated), else 0.
int64_t FollowHeld(HeldTracker& held, const InputRecord& record, int64_t number);
// What is down, the oldest press first.
std::vector<HeldAtEnd> HeldAtEndOf(const HeldTracker& held);
// "key Shift", "key 0xE8", "left button", "X1 button": how a held input is named in messages.
std::string HeldName(const HeldAtEnd& held);
