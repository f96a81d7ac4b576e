// The control records of a recording: before a press that goes to another control than the
// press before it (another child window, or the same one moved or resized within its window),
// and right after the window group when one is written, the recorder writes that control's
// identity as a group of 16-byte records, each with delay 0, so that a player that skips
// unknown kinds plays the file exactly as one without them:
//   ControlPlace  code = bytes of the class name,         x, y = left, top (relative to the window)
//   ControlSize   code = the window's DPI (0: unknown),    x, y = width, height
//   ControlId     code = its place among same-class siblings, x = the control identifier, y = 0
//   ControlName   11 bytes of the class name (UTF-8) each, as WindowName carries names
// A press into a window without child windows, or into one that draws everything itself, gets
// no group. Pure logic: the recorder, the player and tandrel-rec share it.
#pragma once
#include <cstdint>

#include "core/ControlIdentity.h"
#include "recording/InputRecord.h"
#include "recording/NameRecords.h"

// A group at its longest: the three first records and the class name at its longest.
constexpr uint32_t MaxControlRecords = 3 + (WindowClassBytes - 1 + NameBytesPerRecord - 1) / NameBytesPerRecord;
// The highest place among siblings that a group holds; a later sibling is written as this one.
constexpr int32_t MaxControlPlace = 32767;
static_assert(PlaceNotCounted == MaxControlPlace, "a place not counted reads back as itself");

bool IsControlRecordKind(int8_t kind);

// Writes the group of the control into `records` (room for MaxControlRecords); returns how
// many. The class is taken up to its terminating zero; the place and the DPI are kept within
// 0 to 32767.
uint32_t EncodeControlRecords(const ControlIdentity& control, InputRecord* records);

// Reads groups record by record, as a file gives them.
struct ControlRecordReader {
    ControlIdentity control;  // the group read so far
    uint32_t classBytes;      // from its ControlPlace record
    uint32_t namesRead;       // class bytes read so far
    int8_t expect;            // the kind the group needs next: ControlSize, ControlId, ControlName, or 0
};

enum class ControlRecordStep {
    NotControl,  // the record is of another kind (a group begun and not complete is dropped)
    Incomplete,  // a control record; its group goes on
    Complete,    // this record completed a group: the reader's control holds it
    Malformed    // a control record out of place, a class too long, a zero within it, a field
                 // the group does not use that is not 0
};

void ResetControlRecordReader(ControlRecordReader& reader);
ControlRecordStep ReadControlRecord(ControlRecordReader& reader, const InputRecord& record);
