// Acting on one Input record during playback: the injection it causes and what it changes in
// the Held-input list.
#pragma once
#include <cstdint>

#include "recording/InputRecord.h"

// Injects the record's event through the injection seam and keeps the Held-input list up to
// date. Records of unknown kinds, unknown button codes, X button records whose y is neither
// XButton1 nor XButton2 and Key records whose down is neither 0 nor 1 cause nothing.
void PlayInputRecord(const InputRecord& record);
// True for a Key record that presses F9 (in whichever form of the key code): the playback of
// such a recording must not hear F9 by a hot key, which could not tell it from the user's.
bool PressesStopKey(const InputRecord& record);
// The platform's wheel data for a number of notches: 120 per notch, wrapping like a signed
// 32-bit product.
int32_t WheelDataOfNotches(int32_t notches);
