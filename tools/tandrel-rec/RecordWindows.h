// The window records of a recording (recording/WindowRecords.h) as tandrel-rec shows them: one
// text line for a group, `window EXE CLASS X Y WIDTH HEIGHT`, read back to the same bytes;
// what check says of window records out of place; the windows that info lists.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/WindowIdentity.h"
#include "recording/WindowRecords.h"

// A group that starts at the first record of `records` and is complete among them, in exactly
// the bytes the recorder writes: appends its window line, then one comment line for each
// further record of the group (so record n of a dump stays on line n + 1), and answers how many
// records it took. Anything else: appends nothing and answers 0 (the records go out as raw).
size_t AppendWindowLine(std::string& out, std::span<const uint8_t> records);
// A line whose first field is `window`: appends the bytes of its group.
bool ReadWindowLine(std::span<const std::string_view> fields, std::vector<uint8_t>& bytes, std::string& problem);

// A name as window and control lines write it: its bytes, %XX for a blank, %, #, a control
// character or a byte above 0x7E, and - for an empty name (%2D for a hyphen alone).
void AppendName(std::string& out, const char* name);
// And back, into room bytes with the zero after it; what is one of "program", "class".
bool ReadName(std::string_view text, char* name, size_t room, std::string_view what, std::string& problem);
// A signed 32-bit decimal number of a window or control line.
bool ReadNumber(std::string_view text, int32_t& value, std::string_view what, std::string& problem);

// A window's names as a window line writes them, and its place: "notepad.exe Notepad at
// 120,80 size 800x600".
std::string WindowText(const WindowIdentity& window);

// For check: follows the window records record by record; answers what is wrong with this one
// (a window record out of place, or a record that cuts a group short), or nothing.
std::string WindowRecordFinding(WindowRecordReader& reader, const InputRecord& record);
