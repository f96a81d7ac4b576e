// Window records in the text form, check and info. A name is written as its bytes, with %XX
// for a byte outside the printable ASCII range and for %, # and blanks, and - for an empty
// name, so that every name survives the round trip and a line still splits at its blanks.
#include "RecordWindows.h"

#include <charconv>
#include <cstring>

#include "TextNumbers.h"

namespace {

constexpr std::string_view WindowUsage = "window EXE CLASS X Y WIDTH HEIGHT";

std::string Number(int64_t value)
{
    return std::to_string(value);
}

}  // namespace

void AppendName(std::string& out, const char* name)
{
    if (name[0] == '\0') {
        out.push_back('-');
        return;
    }
    for (const char* c = name; *c != '\0'; ++c) {
        const auto byte = static_cast<uint8_t>(*c);
        if (byte > 0x20 && byte < 0x7F && byte != '%' && byte != '#' && !(c == name && byte == '-' && c[1] == '\0')) {
            out.push_back(*c);
        } else {
            out.push_back('%');
            AppendHexByte(out, byte);
        }
    }
}

bool ReadName(std::string_view text, char* name, size_t room, std::string_view what, std::string& problem)
{
    std::memset(name, 0, room);
    if (text == "-") return true;
    size_t used = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%') {
            if (i + 2 >= text.size() || HexDigitValue(text[i + 1]) < 0 || HexDigitValue(text[i + 2]) < 0) {
                problem = std::string(what) + " \"" + std::string(text) + "\": % needs two hex digits after it";
                return false;
            }
            c = static_cast<char>(HexDigitValue(text[i + 1]) * 16 + HexDigitValue(text[i + 2]));
            i += 2;
        }
        if (c == '\0' || used + 1 >= room) {
            problem =
                std::string(what) + " \"" + std::string(text) + "\" " +
                (c == '\0' ? "holds a zero byte" : "is too long (" + std::to_string(room - 1) + " bytes at most)");
            return false;
        }
        name[used++] = c;
    }
    return true;
}

bool ReadNumber(std::string_view text, int32_t& value, std::string_view what, std::string& problem)
{
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure == std::errc{} && end == text.data() + text.size() && !text.empty()) return true;
    problem = std::string(what) + " \"" + std::string(text) + "\" is not a whole number (-2147483648 to 2147483647)";
    return false;
}

size_t AppendWindowLine(std::string& out, std::span<const uint8_t> records)
{
    const size_t available = records.size() / InputRecordSize;
    WindowRecordReader reader;
    ResetWindowRecordReader(reader);
    size_t count = 0;
    WindowRecordStep step = WindowRecordStep::Incomplete;
    while (step == WindowRecordStep::Incomplete && count < available) {
        step = ReadWindowRecord(reader, DecodeInputRecord(records.data() + count * InputRecordSize));
        ++count;
    }
    if (step != WindowRecordStep::Complete) return 0;
    // Only the recorder's exact bytes: anything else would not come back byte for byte.
    InputRecord group[MaxWindowRecords];
    if (EncodeWindowRecords(reader.window, group) != count) return 0;
    for (size_t i = 0; i < count; ++i) {
        uint8_t bytes[InputRecordSize];
        EncodeInputRecord(group[i], bytes);
        if (std::memcmp(bytes, records.data() + i * InputRecordSize, InputRecordSize) != 0) return 0;
    }
    const WindowIdentity& w = reader.window;
    out += "window ";
    AppendName(out, w.program);
    out.push_back(' ');
    AppendName(out, w.windowClass);
    out += " " + Number(w.left) + " " + Number(w.top) + " " + Number(w.width) + " " + Number(w.height) + "\n";
    for (size_t i = 1; i < count; ++i) out += "#   (window, continued)\n";
    return count;
}

bool ReadWindowLine(std::span<const std::string_view> fields, std::vector<uint8_t>& bytes, std::string& problem)
{
    if (fields.size() != 7) {
        problem = std::string(fields.size() < 7 ? "missing fields" : "too many fields") + ": expected " +
                  std::string(WindowUsage);
        return false;
    }
    WindowIdentity w{};
    if (!ReadName(fields[1], w.program, sizeof w.program, "program", problem) ||
        !ReadName(fields[2], w.windowClass, sizeof w.windowClass, "class", problem) ||
        !ReadNumber(fields[3], w.left, "x", problem) || !ReadNumber(fields[4], w.top, "y", problem) ||
        !ReadNumber(fields[5], w.width, "width", problem) || !ReadNumber(fields[6], w.height, "height", problem))
        return false;
    InputRecord group[MaxWindowRecords];
    const uint32_t count = EncodeWindowRecords(w, group);
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t encoded[InputRecordSize];
        EncodeInputRecord(group[i], encoded);
        bytes.insert(bytes.end(), encoded, encoded + InputRecordSize);
    }
    return true;
}

std::string WindowText(const WindowIdentity& window)
{
    std::string text;
    AppendName(text, window.program);
    text.push_back(' ');
    AppendName(text, window.windowClass);
    return text + " at " + Number(window.left) + "," + Number(window.top) + " size " + Number(window.width) + "x" +
           Number(window.height);
}

std::string WindowRecordFinding(WindowRecordReader& reader, const InputRecord& record)
{
    const bool groupOpen = reader.expect != 0;
    const WindowRecordStep step = ReadWindowRecord(reader, record);
    if (step == WindowRecordStep::Malformed) {
        return "window record " + Number(record.kind) + " out of place or malformed, ignored by the player";
    }
    if (step == WindowRecordStep::NotWindow && groupOpen) {
        return "the window records before this record are cut short, ignored by the player";
    }
    if (step == WindowRecordStep::Incomplete && record.kind == WindowPlace && groupOpen) {
        return "window records cut short by another group, ignored by the player";
    }
    return {};
}
