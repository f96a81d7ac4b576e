// The seam between playback and the system: every input that playback injects and every
// wait and clock reading it makes goes through these free functions. The program links the
// real ones (Injection.cpp: object library playback_injection; PlaybackTiming.cpp: object
// library playback_timing); tests and the benchmark link fakes in their place.
#pragma once
#include <cstdint>

// Mouse button flags as the platform's mouse_event takes them.
constexpr uint32_t MouseLeftDown = 0x0002;
constexpr uint32_t MouseLeftUp = 0x0004;
constexpr uint32_t MouseRightDown = 0x0008;
constexpr uint32_t MouseRightUp = 0x0010;
constexpr uint32_t MouseMiddleDown = 0x0020;
constexpr uint32_t MouseMiddleUp = 0x0040;

// Presses (down) or releases the key with this virtual-key code, with its own scan code and,
// for the extended keys, the extended flag.
void InjectKey(uint8_t virtualKey, bool down);
// One press or release of a mouse button: exactly one of the Mouse... flags above.
void InjectMouseButton(uint32_t mouseFlags);
// Turns the wheel by wheelData platform units (120 per notch; positive away from the user).
void InjectWheel(int32_t wheelData);
// Puts the cursor at this screen position in physical pixels.
void InjectCursorMove(int32_t x, int32_t y);
// Presses (down) or releases the back (XButton1) or forward (XButton2) mouse button.
void InjectXButton(int32_t xButton, bool down);
// Turns the horizontal wheel by wheelData platform units (120 per notch; positive to the right).
void InjectHorizontalWheel(int32_t wheelData);

// Worker thread, first thing: physical-pixel coordinates and the finest wait the system offers.
void PreparePlaybackThread();
// Blocks the calling thread for this many microseconds (0 or less: no wait), unless the
// playback is stopped: a stop ends the wait at once, and every later one. True when the time
// has passed without a stop; false when the wait was cut short or a stop came before it.
bool PlaybackWait(int64_t microseconds);
// Any thread: stops the playback's waits, the running one and every later one (the hook thread
// at a user's F9, a close request and the exit signal it).
void SignalPlaybackStop();
// Main thread, before it starts a worker: waits run their full time again.
void ResetPlaybackStop();
// A steady clock in microseconds; only differences between readings mean anything.
int64_t PlaybackClock();
