// The moment in which raw input and the keyboard hook both hear the keys, when the hooks come
// back after a playback. The hook is installed before raw input stops reporting, so no key
// falls between them; a key in that moment comes from both, and the second report of it is
// dropped. Pure logic, on the system's 32-bit ticks.
#pragma once
#include <cstdint>

enum class KeySource : uint8_t {
    RawInput,
    Hook,
};

struct OverlapKey {
    uint32_t message;
    uint32_t virtualKey;
    KeySource source;
    bool waiting;  // reported by its source; the other's report of it is still to come
};

struct PathOverlap {
    uint32_t from;   // the tick just before the hook was installed
    uint32_t until;  // the tick just after: raw input reports the keys up to this one
    OverlapKey keys[8];
    unsigned next;  // the slot the next key of the moment takes
};

// A hook's report reaches the hook thread's queue a little after the key (the message's time
// is the post's): that much later it may still be a key of the moment.
constexpr uint32_t HookPostSlackTicks = 20;

// The moment of a switch from raw input to the hooks: forgets the keys of an earlier one.
void StartPathOverlap(PathOverlap& overlap, uint32_t from, uint32_t until);
// Whether a key goes on: false for the second report of a key of the moment (same message and
// key, from the other source), true for any other. Two presses of one key within the moment
// cannot come from a user (a release lies between them, a repeat is 30 ms later).
bool TakeOverlapKey(PathOverlap& overlap, KeySource source, uint32_t message, uint32_t virtualKey, uint32_t time);
