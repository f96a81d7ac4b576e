// Which records have a plain text form: the ones that the recorder writes and the player plays
// as they are. Every other record is an oddity, written as raw bytes and reported by check.
#pragma once
#include <cstdint>

#include "core/Messages.h"
#include "recording/InputRecord.h"

enum class RecordOddity {
    None,
    UnknownKind,  // a kind that no row of recording/RecordKinds.def names: the player skips it
    GroupRecord,  // a window or control record: its group has a line of its own; check follows
                  // the group (RecordWindows.h, RecordControls.h)
    KeyCode,      // a Key code outside 1..255: the player sends only its low byte
    KeyDown,      // a Key down other than 0 or 1: the player skips it
    ButtonCode,   // a Button code that is not one of the eight button messages: skipped
    XButton,      // an X button message whose y is not 1 or 2: skipped
    UnusedField,  // a field that the kind does not use is not zero: the player ignores it
};

// The fields a record uses (RecordField flags): its kind's row, but y only for an X button.
uint8_t UsedFields(const InputRecord& record);
RecordOddity OddityOf(const InputRecord& record);

// The press and release messages of the left, right, middle and X buttons.
bool IsButtonMessage(int code);
bool IsXButtonMessage(int code);
// The release message of a button's press or release message.
int16_t ButtonReleaseMessage(int16_t code);
