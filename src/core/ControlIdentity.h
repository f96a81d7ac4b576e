// A control as a recording names it: the child window that a press went to inside its
// top-level window. Identified by what stays the same from one run of the program to the next
// (its class, its control identifier and its place among the siblings of its class, since many
// controls share identifier 0 or -1), with where it stood relative to the top-level window and
// the window's DPI then, so that a click can be mapped onto where the control stands now.
// Plain data: read on the hook thread and by the playback worker, written into and read from
// recordings as control records (recording/ControlRecords.h).
#pragma once
#include <cstdint>

#include "core/WindowIdentity.h"

// The place of a control that stands behind more siblings than the hook thread counts (a window
// with hundreds of children): its place is not told. The highest place a recording holds
// (recording/ControlRecords.h, MaxControlPlace), so it reads back as itself.
constexpr int32_t PlaceNotCounted = 32767;

struct ControlIdentity {
    char controlClass[WindowClassBytes];  // the window class, as registered; UTF-8
    int32_t id;                           // the control identifier (GWLP_ID)
    int32_t place;                        // 0 for the first sibling of this class under its parent,
                                          // PlaceNotCounted when it stands too far behind
    int32_t left;                         // its rectangle, relative to the top-level window's top left
    int32_t top;
    int32_t width;
    int32_t height;
    int32_t dpi;  // the top-level window's DPI when recorded; 0 when the system did not tell
};
