// The window records of a recording: before a key press, button press or wheel turn that goes
// to another window than the one before (and before the first), the recorder writes that
// window's identity as a group of 16-byte records, each with delay 0, so that a player that
// skips unknown kinds plays the file exactly as one without them:
//   WindowPlace  code = bytes of the program's name, x, y = the window's left and top
//   WindowSize   code = bytes of the class name,     x, y = the window's width and height
//   WindowName   11 bytes of the names each (the program's, then the class's, UTF-8), in the
//                bytes of code, down, x and y in file order; the last one padded with zeros
// Pure logic: the recorder, the player and tandrel-rec share it.
#pragma once
#include <cstdint>

#include "core/WindowIdentity.h"
#include "recording/InputRecord.h"
#include "recording/NameRecords.h"

// A group at its longest: the two first records and the names at their longest.
constexpr uint32_t MaxWindowRecords =
    2 + (WindowProgramBytes - 1 + WindowClassBytes - 1 + NameBytesPerRecord - 1) / NameBytesPerRecord;

bool IsWindowRecordKind(int8_t kind);

// Writes the group of the window into `records` (room for MaxWindowRecords); returns how many.
// Names are taken up to their terminating zero.
uint32_t EncodeWindowRecords(const WindowIdentity& window, InputRecord* records);

// Reads groups record by record, as a file gives them.
struct WindowRecordReader {
    WindowIdentity window;  // the group read so far
    uint32_t programBytes;  // from its WindowPlace record
    uint32_t classBytes;    // from its WindowSize record
    uint32_t namesRead;     // name bytes read so far
    int8_t expect;          // the kind the group needs next: WindowSize, WindowName, or 0 (none begun)
};

enum class WindowRecordStep {
    NotWindow,   // the record is of another kind (a group begun and not complete is dropped)
    Incomplete,  // a window record; its group goes on
    Complete,    // this record completed a group: the reader's window holds it
    Malformed    // a window record out of place, a name too long, a zero within a name
};

void ResetWindowRecordReader(WindowRecordReader& reader);
WindowRecordStep ReadWindowRecord(WindowRecordReader& reader, const InputRecord& record);
