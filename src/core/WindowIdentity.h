// A window as a recording names it: the file name of its program and its window class (what
// stays the same from one run of the program to the next; the title changes with the
// document), and where it stood, in the physical screen coordinates of Move records. Plain
// data: read on the hook thread and by the playback worker, written into and read from
// recordings as window records (recording/WindowRecords.h).
#pragma once
#include <cstdint>

// Bytes of UTF-8, with room for the terminating zero: a file name of MAX_PATH characters
// and a class name of 256, most of them in one or two bytes.
constexpr uint32_t WindowProgramBytes = 260;
constexpr uint32_t WindowClassBytes = 520;

struct WindowIdentity {
    char program[WindowProgramBytes];    // the executable's file name, lower case, no folder; UTF-8
    char windowClass[WindowClassBytes];  // the window class, as registered; UTF-8
    int32_t left;                        // the window's rectangle on the screen
    int32_t top;
    int32_t width;
    int32_t height;
};
