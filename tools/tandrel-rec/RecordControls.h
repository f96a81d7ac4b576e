// The control records of a recording (recording/ControlRecords.h) as tandrel-rec shows them:
// one text line for a group, `control CLASS ID PLACE X Y WIDTH HEIGHT DPI`, read back to the
// same bytes; what check says of control records out of place; the controls that info lists.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/ControlIdentity.h"
#include "recording/ControlRecords.h"

// A group that starts at the first record of `records` and is complete among them, in exactly
// the bytes the recorder writes: appends its control line, then one comment line for each
// further record of the group (so record n of a dump stays on line n + 1), and answers how many
// records it took. Anything else: appends nothing and answers 0 (the records go out as raw).
size_t AppendControlLine(std::string& out, std::span<const uint8_t> records);
// A line whose first field is `control`: appends the bytes of its group.
bool ReadControlLine(std::span<const std::string_view> fields, std::vector<uint8_t>& bytes, std::string& problem);

// A control as info lists it: "Button id 1 place 0 at 10,20 size 80x24 dpi 96".
std::string ControlText(const ControlIdentity& control);

// For check: follows the control records record by record; answers what is wrong with this one
// (a control record out of place or malformed, or a record that cuts a group short), or nothing.
std::string ControlRecordFinding(ControlRecordReader& reader, const InputRecord& record);
