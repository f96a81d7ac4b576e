// Control records in the text form, check and info. The class is written as a window line
// writes its names (RecordWindows.h); the numbers follow in the order of the line.
#include "RecordControls.h"

#include <cstring>

#include "RecordWindows.h"

namespace {

constexpr std::string_view ControlUsage = "control CLASS ID PLACE X Y WIDTH HEIGHT DPI";
constexpr size_t ControlFields = 9;

std::string Number(int64_t value)
{
    return std::to_string(value);
}

// The place and the DPI are kept in 16 bits: a larger value would not come back.
bool ReadSmallNumber(std::string_view text, int32_t& value, std::string_view what, std::string& problem)
{
    if (!ReadNumber(text, value, what, problem)) return false;
    if (value >= 0 && value <= MaxControlPlace) return true;
    problem = std::string(what) + " " + std::string(text) + " is out of range (0 to " + Number(MaxControlPlace) + ")";
    return false;
}

}  // namespace

size_t AppendControlLine(std::string& out, std::span<const uint8_t> records)
{
    const size_t available = records.size() / InputRecordSize;
    ControlRecordReader reader;
    ResetControlRecordReader(reader);
    size_t count = 0;
    ControlRecordStep step = ControlRecordStep::Incomplete;
    while (step == ControlRecordStep::Incomplete && count < available) {
        step = ReadControlRecord(reader, DecodeInputRecord(records.data() + count * InputRecordSize));
        ++count;
    }
    if (step != ControlRecordStep::Complete) return 0;
    // Only the recorder's exact bytes: anything else would not come back byte for byte.
    InputRecord group[MaxControlRecords];
    if (EncodeControlRecords(reader.control, group) != count) return 0;
    for (size_t i = 0; i < count; ++i) {
        uint8_t bytes[InputRecordSize];
        EncodeInputRecord(group[i], bytes);
        if (std::memcmp(bytes, records.data() + i * InputRecordSize, InputRecordSize) != 0) return 0;
    }
    const ControlIdentity& c = reader.control;
    out += "control ";
    AppendName(out, c.controlClass);
    out += " " + Number(c.id) + " " + Number(c.place) + " " + Number(c.left) + " " + Number(c.top) + " " +
           Number(c.width) + " " + Number(c.height) + " " + Number(c.dpi) + "\n";
    for (size_t i = 1; i < count; ++i) out += "#   (control, continued)\n";
    return count;
}

bool ReadControlLine(std::span<const std::string_view> fields, std::vector<uint8_t>& bytes, std::string& problem)
{
    if (fields.size() != ControlFields) {
        problem = std::string(fields.size() < ControlFields ? "missing fields" : "too many fields") + ": expected " +
                  std::string(ControlUsage);
        return false;
    }
    ControlIdentity c{};
    if (!ReadName(fields[1], c.controlClass, sizeof c.controlClass, "class", problem) ||
        !ReadNumber(fields[2], c.id, "id", problem) || !ReadSmallNumber(fields[3], c.place, "place", problem) ||
        !ReadNumber(fields[4], c.left, "x", problem) || !ReadNumber(fields[5], c.top, "y", problem) ||
        !ReadNumber(fields[6], c.width, "width", problem) || !ReadNumber(fields[7], c.height, "height", problem) ||
        !ReadSmallNumber(fields[8], c.dpi, "dpi", problem))
        return false;
    InputRecord group[MaxControlRecords];
    const uint32_t count = EncodeControlRecords(c, group);
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t encoded[InputRecordSize];
        EncodeInputRecord(group[i], encoded);
        bytes.insert(bytes.end(), encoded, encoded + InputRecordSize);
    }
    return true;
}

std::string ControlText(const ControlIdentity& control)
{
    std::string text;
    AppendName(text, control.controlClass);
    return text + " id " + Number(control.id) + " place " + Number(control.place) + " at " + Number(control.left) +
           "," + Number(control.top) + " size " + Number(control.width) + "x" + Number(control.height) + " dpi " +
           Number(control.dpi);
}

std::string ControlRecordFinding(ControlRecordReader& reader, const InputRecord& record)
{
    const bool groupOpen = reader.expect != 0;
    const ControlRecordStep step = ReadControlRecord(reader, record);
    if (step == ControlRecordStep::Malformed) {
        return "control record " + Number(record.kind) + " out of place or malformed, ignored by the player";
    }
    if (step == ControlRecordStep::NotControl && groupOpen) {
        return "the control records before this record are cut short, ignored by the player";
    }
    if (step == ControlRecordStep::Incomplete && record.kind == ControlPlace && groupOpen) {
        return "control records cut short by another group, ignored by the player";
    }
    return {};
}
