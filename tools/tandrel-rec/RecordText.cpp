// Writing and reading the text form of a recording. Both directions are hand-rolled rather
// than built on streams: a dump or pack of a million records has to take a fraction of a
// second.
#include "RecordText.h"

#include <array>
#include <charconv>
#include <limits>
#include <utility>

#include "KeyNames.h"
#include "RecordControls.h"
#include "RecordOddity.h"
#include "RecordWindows.h"
#include "TextNumbers.h"
#include "recording/InputRecord.h"

namespace {

void AppendNumber(std::string& out, int64_t value)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

void AppendLabelledNumber(std::string& out, std::string_view label, int64_t value)
{
    out += label;
    AppendNumber(out, value);
}

void AppendKey(std::string& out, int code)
{
    const std::string_view name = KeyNameOfCode(code);
    if (!name.empty()) {
        out += name;
    } else {
        out += "0x";
        AppendHexByte(out, static_cast<uint8_t>(code));
    }
}

std::string_view ButtonName(const InputRecord& record)
{
    switch (ButtonReleaseMessage(record.code)) {
    case LeftButtonUpMessage: return "left";
    case RightButtonUpMessage: return "right";
    case MiddleButtonUpMessage: return "middle";
    default: return record.y == XButton1 ? "x1" : "x2";
    }
}

// A record without a plain form: its 16 bytes, and its fields in a comment for the reader.
void AppendRawLine(std::string& out, const uint8_t* bytes, const InputRecord& record)
{
    out += "raw";
    for (size_t i = 0; i < InputRecordSize; ++i) {
        out.push_back(' ');
        AppendHexByte(out, bytes[i]);
    }
    AppendLabelledNumber(out, "  # kind ", record.kind);
    AppendLabelledNumber(out, ", code ", record.code);
    AppendLabelledNumber(out, ", down ", record.down);
    AppendLabelledNumber(out, ", delay ", record.delay);
    AppendLabelledNumber(out, ", x ", record.x);
    AppendLabelledNumber(out, ", y ", record.y);
    out.push_back('\n');
}

// The plain line of a record that OddityOf finds plain; false for a kind without one (the
// records of a group, whose line the group writes).
bool AppendRecordLine(std::string& out, const InputRecord& record)
{
    const RecordKindRow* row = FindRecordKind(record.kind);
    if (row == nullptr) return false;
    const size_t start = out.size();
    AppendNumber(out, record.delay);
    out.push_back(' ');
    out += row->word;
    out.push_back(' ');
    switch (static_cast<RecordKind>(record.kind)) {
    case Key:
        AppendKey(out, record.code);
        out += record.down == 1 ? " down\n" : " up\n";
        return true;
    case Button:
        out += ButtonName(record);
        out += ButtonReleaseMessage(record.code) == record.code ? " up\n" : " down\n";
        return true;
    case Move:
        AppendNumber(out, record.x);
        out.push_back(' ');
        AppendNumber(out, record.y);
        out.push_back('\n');
        return true;
    case Wheel:
    case HorizontalWheel:
        AppendNumber(out, record.y);
        out.push_back('\n');
        return true;
    case WindowPlace:
    case WindowSize:
    case WindowName:
    case ControlPlace:
    case ControlSize:
    case ControlId:
    case ControlName: break;
    }
    out.resize(start);
    return false;
}

// The line of a group that begins at the first of `records`: how many records it took, or 0
// when they are not a group exactly as the recorder writes it.
size_t AppendGroupLine(std::string& out, std::span<const uint8_t> records)
{
    const RecordKindRow* row = FindRecordKind(static_cast<int8_t>(records[0]));
    if (row == nullptr) return 0;
    switch (row->role) {
    case RecordRole::WindowGroup: return AppendWindowLine(out, records);
    case RecordRole::ControlGroup: return AppendControlLine(out, records);
    case RecordRole::PlayedInput:
    case RecordRole::Skipped: return 0;
    }
    return 0;
}

// "key, button, move, wheel or hwheel": the words of the lines that start with a delay.
std::string RecordLineWords()
{
    std::string words;
    std::string_view last;
    for (const RecordKindRow& row : RecordKinds) {
        if (IsGroupRole(row.role)) continue;
        if (!last.empty()) {
            if (!words.empty()) words += ", ";
            words += last;
        }
        last = row.word;
    }
    return words + " or " + std::string(last);
}

// ---- Reading -------------------------------------------------------------------------------

// A raw line has the most fields: the word and 16 bytes.
constexpr size_t MaxFields = 1 + InputRecordSize;

struct Line {
    std::array<std::string_view, MaxFields> fields;
    size_t count;
    bool tooMany;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Splits a line at blanks, without its comment.
Line SplitLine(std::string_view text)
{
    const size_t comment = text.find('#');
    if (comment != std::string_view::npos) text = text.substr(0, comment);
    Line line{};
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsBlank(text[at])) ++at;
        if (at == text.size()) break;
        size_t end = at;
        while (end < text.size() && !IsBlank(text[end])) ++end;
        if (line.count == MaxFields) {
            line.tooMany = true;
            break;
        }
        line.fields[line.count++] = text.substr(at, end - at);
        at = end;
    }
    return line;
}

bool SameWord(std::string_view word, std::string_view lowerCase)
{
    if (word.size() != lowerCase.size()) return false;
    for (size_t i = 0; i < word.size(); ++i) {
        char c = word[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerCase[i]) return false;
    }
    return true;
}

std::string Quoted(std::string_view text)
{
    std::string quoted = "\"";
    quoted += text;
    quoted += '"';
    return quoted;
}

// A signed 32-bit decimal number; a leading + is allowed.
bool ReadInt32(std::string_view text, int32_t& value, std::string& problem, std::string_view what)
{
    std::string_view digits = text;
    if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') digits.remove_prefix(1);
    int64_t wide = 0;
    const auto [end, failure] = std::from_chars(digits.data(), digits.data() + digits.size(), wide);
    if (failure == std::errc::result_out_of_range ||
        (failure == std::errc{} && end == digits.data() + digits.size() &&
         (wide < std::numeric_limits<int32_t>::min() || wide > std::numeric_limits<int32_t>::max()))) {
        problem = std::string(what) + " " + std::string(text) + " is out of range (-2147483648 to 2147483647)";
        return false;
    }
    if (failure != std::errc{} || end != digits.data() + digits.size()) {
        problem = std::string(what) + " " + Quoted(text) + " is not a whole number";
        return false;
    }
    value = static_cast<int32_t>(wide);
    return true;
}

// Exactly two hex digits, as dump writes them.
bool ReadHexByte(std::string_view text, uint8_t& byte, std::string& problem)
{
    if (text.size() == 2 && HexDigitValue(text[0]) >= 0 && HexDigitValue(text[1]) >= 0) {
        byte = static_cast<uint8_t>(HexDigitValue(text[0]) * 16 + HexDigitValue(text[1]));
        return true;
    }
    problem = Quoted(text) + " is not a byte in hex (two digits, 00 to FF)";
    return false;
}

bool ReadKeyCode(std::string_view text, int16_t& code, std::string& problem)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        int value = 0;
        bool digitsOnly = text.size() <= 4;
        for (size_t i = 2; i < text.size() && digitsOnly; ++i) {
            digitsOnly = HexDigitValue(text[i]) >= 0;
            value = value * 16 + HexDigitValue(text[i]);
        }
        if (digitsOnly && value >= 1 && value <= 255) {
            code = static_cast<int16_t>(value);
            return true;
        }
        problem = "key code " + Quoted(text) + " is not a virtual-key code 0x01 to 0xFF (use a raw line for others)";
        return false;
    }
    const int named = KeyCodeOfName(text);
    if (named < 0) {
        problem = "unknown key name " + Quoted(text) + " (a name such as A, Shift or F5, or a code such as 0xE8)";
        return false;
    }
    code = static_cast<int16_t>(named);
    return true;
}

// "down" gives 1, "up" 0.
bool ReadUpOrDown(std::string_view text, int8_t& down, std::string& problem)
{
    if (SameWord(text, "down")) {
        down = 1;
        return true;
    }
    if (SameWord(text, "up")) {
        down = 0;
        return true;
    }
    problem = "expected down or up, found " + Quoted(text);
    return false;
}

// A button's press or release message, and for an X button its number (y), else 0.
bool ReadButton(std::string_view name, std::string_view state, int16_t& code, int32_t& xButton, std::string& problem)
{
    int16_t press = 0;
    xButton = 0;
    if (SameWord(name, "x1") || SameWord(name, "x2")) {
        press = XButtonDownMessage;
        xButton = SameWord(name, "x1") ? XButton1 : XButton2;
    } else if (SameWord(name, "left")) {
        press = LeftButtonDownMessage;
    } else if (SameWord(name, "right")) {
        press = RightButtonDownMessage;
    } else if (SameWord(name, "middle")) {
        press = MiddleButtonDownMessage;
    } else {
        problem = "unknown button " + Quoted(name) + " (left, right, middle, x1 or x2)";
        return false;
    }
    int8_t down = 0;
    if (!ReadUpOrDown(state, down, problem)) return false;
    code = down ? press : ButtonReleaseMessage(press);
    return true;
}

// How many fields each kind of line has, the delay and the kind included.
bool HasFields(const Line& line, size_t wanted, std::string_view usage, std::string& problem)
{
    if (line.count == wanted) return true;
    problem =
        std::string(line.count < wanted ? "missing fields" : "too many fields") + ": expected " + std::string(usage);
    return false;
}

// The fields of a record line after its delay, read into plain variables: the packed record's
// fields take no references.
struct LineFields {
    int8_t kind;
    int16_t code;
    int8_t down;
    int32_t x;
    int32_t y;
};

// The row whose word this is, or null.
const RecordKindRow* KindOfWord(std::string_view word)
{
    for (const RecordKindRow& row : RecordKinds) {
        if (SameWord(word, row.word)) return &row;
    }
    return nullptr;
}

bool ReadKindAndFields(const Line& line, LineFields& fields, std::string& problem)
{
    const std::string_view kind = line.fields[1];
    const RecordKindRow* row = KindOfWord(kind);
    if (row != nullptr && !IsGroupRole(row->role)) {
        fields.kind = row->kind;
        switch (row->kind) {
        case Key:
            return HasFields(line, 4, "DELAY key NAME down|up", problem) &&
                   ReadKeyCode(line.fields[2], fields.code, problem) &&
                   ReadUpOrDown(line.fields[3], fields.down, problem);
        case Button:
            return HasFields(line, 4, "DELAY button left|right|middle|x1|x2 down|up", problem) &&
                   ReadButton(line.fields[2], line.fields[3], fields.code, fields.y, problem);
        case Move:
            return HasFields(line, 4, "DELAY move X Y", problem) && ReadInt32(line.fields[2], fields.x, problem, "x") &&
                   ReadInt32(line.fields[3], fields.y, problem, "y");
        case Wheel:
        case HorizontalWheel:
            return HasFields(line, 3, "DELAY " + std::string(row->word) + " NOTCHES", problem) &&
                   ReadInt32(line.fields[2], fields.y, problem, "notches");
        case WindowPlace:
        case WindowSize:
        case WindowName:
        case ControlPlace:
        case ControlSize:
        case ControlId:
        case ControlName: break;
        }
    }
    problem = "unknown kind " + Quoted(kind) + " (" + RecordLineWords() + "; a raw line for anything else)";
    return false;
}

bool ReadRecordLine(const Line& line, InputRecord& record, std::string& problem)
{
    record = InputRecord{};
    int32_t delay = 0;
    if (!ReadInt32(line.fields[0], delay, problem, "delay")) {
        const char first = line.fields[0][0];
        if ((first < '0' || first > '9') && first != '-' && first != '+') {
            problem = "a record line starts with its delay in milliseconds, not " + Quoted(line.fields[0]);
        }
        return false;
    }
    if (line.count < 2) {
        problem = "missing the kind after the delay (" + RecordLineWords() + ")";
        return false;
    }
    LineFields fields{};
    if (!ReadKindAndFields(line, fields, problem)) return false;
    record.kind = fields.kind;
    record.code = fields.code;
    record.down = fields.down;
    record.delay = delay;
    record.x = fields.x;
    record.y = fields.y;
    return true;
}

bool ReadBytes(const Line& line, size_t first, std::vector<uint8_t>& bytes, std::string& problem)
{
    for (size_t i = first; i < line.count; ++i) {
        uint8_t byte = 0;
        if (!ReadHexByte(line.fields[i], byte, problem)) return false;
        bytes.push_back(byte);
    }
    return true;
}

// A line whose first word is a group's: the bytes of the group.
bool ReadGroupLine(RecordRole role, std::span<const std::string_view> fields, std::vector<uint8_t>& bytes,
                   std::string& problem)
{
    switch (role) {
    case RecordRole::WindowGroup: return ReadWindowLine(fields, bytes, problem);
    case RecordRole::ControlGroup: return ReadControlLine(fields, bytes, problem);
    case RecordRole::PlayedInput:
    case RecordRole::Skipped: break;
    }
    problem = "a line of " + std::string(fields[0]) + " records is not known";
    return false;
}

// The first line that says anything: the format's name and version.
bool ReadHeader(const Line& line, std::string& problem)
{
    if (line.count == 2 && line.fields[0] == TextFormatName) {
        if (line.fields[1] == "1") return true;
        problem =
            "version " + std::string(line.fields[1]) + " of the text form is not known (this tool reads version 1)";
        return false;
    }
    problem = "not a recording in text form: the first line must be \"tandrel-rec 1\"";
    return false;
}

}  // namespace

void AppendTextHeader(std::string& out)
{
    out += TextFormatName;
    out += ' ';
    AppendNumber(out, TextFormatVersion);
    out += "  # one record a line: delay in ms, kind, fields\n";
}

void AppendRecordsText(std::string& out, std::span<const uint8_t> wholeRecords)
{
    const size_t records = wholeRecords.size() / InputRecordSize;
    // A plain line is some 20 characters; a raw line, rare, some 110.
    out.reserve(out.size() + records * 24);
    for (size_t i = 0; i < records; ++i) {
        const uint8_t* at = wholeRecords.data() + i * InputRecordSize;
        const InputRecord record = DecodeInputRecord(at);
        if (IsGroupRecordKind(record.kind)) {
            const size_t group = AppendGroupLine(out, wholeRecords.subspan(i * InputRecordSize));
            if (group > 0) {
                i += group - 1;
                continue;
            }
        }
        if (OddityOf(record) != RecordOddity::None || !AppendRecordLine(out, record)) AppendRawLine(out, at, record);
    }
}

void AppendTailText(std::string& out, std::span<const uint8_t> tail)
{
    if (tail.empty()) return;
    out += "tail";
    for (const uint8_t byte : tail) {
        out.push_back(' ');
        AppendHexByte(out, byte);
    }
    out += "  # ";
    AppendNumber(out, static_cast<int64_t>(tail.size()));
    out += " bytes of a partial record, never played\n";
}

void AppendRecordingText(std::string& out, std::span<const uint8_t> bytes)
{
    const size_t tail = bytes.size() % InputRecordSize;
    AppendTextHeader(out);
    AppendRecordsText(out, bytes.first(bytes.size() - tail));
    AppendTailText(out, bytes.last(tail));
}

bool ReadTextLines(TextReader& reader, std::string_view text, std::vector<uint8_t>& bytes, TextError& error)
{
    // An editor may have put a byte order mark before the first line.
    if (reader.lineNumber == 0 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    // A record's line is about as long as its 16 bytes: one allocation for the usual piece.
    bytes.reserve(bytes.size() + text.size() + InputRecordSize);
    const auto fail = [&](std::string message) {
        error = TextError{reader.lineNumber, std::move(message)};
        return false;
    };
    std::string problem;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        const Line line = SplitLine(text.substr(at, end - at));
        at = end + 1;
        ++reader.lineNumber;
        if (line.tooMany) return fail("too many fields");
        if (line.count == 0) continue;
        if (!reader.headerSeen) {
            if (!ReadHeader(line, problem)) return fail(problem);
            reader.headerSeen = true;
            continue;
        }
        if (reader.tailLine != 0) {
            return fail("nothing may follow the tail line (line " + std::to_string(reader.tailLine) +
                        "): a partial record can only be the end of a file");
        }
        if (SameWord(line.fields[0], "raw")) {
            if (line.count != 1 + InputRecordSize) {
                return fail("a raw line has 16 bytes, this one " + std::to_string(line.count - 1));
            }
            if (!ReadBytes(line, 1, bytes, problem)) return fail(problem);
            continue;
        }
        if (SameWord(line.fields[0], "tail")) {
            if (line.count < 2 || line.count > InputRecordSize) {
                return fail("a tail line has 1 to 15 bytes, this one " + std::to_string(line.count - 1));
            }
            if (!ReadBytes(line, 1, bytes, problem)) return fail(problem);
            reader.tailLine = reader.lineNumber;
            continue;
        }
        if (const RecordKindRow* group = KindOfWord(line.fields[0]); group != nullptr && IsGroupRole(group->role)) {
            if (!ReadGroupLine(group->role, std::span(line.fields.data(), line.count), bytes, problem))
                return fail(problem);
            continue;
        }
        InputRecord record;
        if (!ReadRecordLine(line, record, problem)) return fail(problem);
        uint8_t encoded[InputRecordSize];
        EncodeInputRecord(record, encoded);
        bytes.insert(bytes.end(), encoded, encoded + InputRecordSize);
    }
    return true;
}

bool FinishText(const TextReader& reader, TextError& error)
{
    if (reader.headerSeen) return true;
    error =
        TextError{reader.lineNumber == 0 ? 1 : reader.lineNumber, "empty: the first line must be \"tandrel-rec 1\""};
    return false;
}

bool ReadRecordingText(std::string_view text, std::vector<uint8_t>& bytes, TextError& error)
{
    const size_t sizeBefore = bytes.size();
    TextReader reader{};
    if (ReadTextLines(reader, text, bytes, error) && FinishText(reader, error)) return true;
    bytes.resize(sizeBefore);
    return false;
}
