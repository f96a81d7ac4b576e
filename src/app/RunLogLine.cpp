// The run log's line and its rotation rule. Numbers are written here by hand: the runtime's
// printf-style formatting would cost the program 28 KB.
#include "app/RunLogLine.h"

#include <type_traits>

namespace {

void AppendDecimal(std::string& out, int64_t value, int minimumDigits = 1)
{
    // Unsigned so that the most negative value has its digits too.
    uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    char digits[20];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) out += '-';
    for (int pad = count; pad < minimumDigits; ++pad) out += '0';
    while (count > 0) out += digits[--count];
}

void AppendTime(std::string& out, const LocalTime& t)
{
    AppendDecimal(out, t.year, 4);
    out += '-';
    AppendDecimal(out, t.month, 2);
    out += '-';
    AppendDecimal(out, t.day, 2);
    out += 'T';
    AppendDecimal(out, t.hour, 2);
    out += ':';
    AppendDecimal(out, t.minute, 2);
    out += ':';
    AppendDecimal(out, t.second, 2);
    const int32_t offset = t.offsetMinutes < 0 ? -t.offsetMinutes : t.offsetMinutes;
    out += t.offsetMinutes < 0 ? '-' : '+';
    AppendDecimal(out, offset / 60, 2);
    out += ':';
    AppendDecimal(out, offset % 60, 2);
}

void AppendEscapedByte(std::string& out, uint32_t byte)
{
    constexpr const char* Hex = "0123456789ABCDEF";
    out += '%';
    out += Hex[byte >> 4];
    out += Hex[byte & 0xF];
}

// The next line, and the line and paragraph separators: line breaks to a reader that knows
// Unicode, so escaped byte by byte, as the control characters are.
bool IsUnicodeLineBreak(uint32_t c)
{
    return c == 0x85 || c == 0x2028 || c == 0x2029;
}

void AppendUtf8(std::string& out, uint32_t c)
{
    if (c < 0x20 || c == 0x7F || c == '%') {
        AppendEscapedByte(out, c);
        return;
    }
    std::string bytes;
    if (c < 0x80) {
        bytes += static_cast<char>(c);
    } else if (c < 0x800) {
        bytes += static_cast<char>(0xC0 | (c >> 6));
        bytes += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        bytes += static_cast<char>(0xE0 | (c >> 12));
        bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        bytes += static_cast<char>(0xF0 | (c >> 18));
        bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (c & 0x3F));
    }
    if (!IsUnicodeLineBreak(c)) {
        out += bytes;
        return;
    }
    for (const char byte : bytes) AppendEscapedByte(out, static_cast<unsigned char>(byte));
}

uint32_t CodeUnit(wchar_t c)
{
    return static_cast<uint32_t>(static_cast<std::make_unsigned_t<wchar_t>>(c));
}

void AppendPath(std::string& out, std::wstring_view path)
{
    // Windows' wchar_t holds UTF-16 units; a native build's, whole code points.
    constexpr uint32_t Replacement = 0xFFFD;
    for (size_t i = 0; i < path.size(); ++i) {
        const uint32_t unit = CodeUnit(path[i]);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < path.size()) {
            const uint32_t next = CodeUnit(path[i + 1]);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, (unit >= 0xD800 && unit <= 0xDFFF) || unit > 0x10FFFF ? Replacement : unit);
    }
}

}  // namespace

std::string_view RunEndWord(RunEnd end)
{
    switch (end) {
    case RunEnd::None: return "started";
    case RunEnd::Played: return "played";
    case RunEnd::Cancelled: return "cancelled";
    case RunEnd::Closed: return "closed";
    case RunEnd::NotFound: return "not-found";
    case RunEnd::Unreadable: return "unreadable";
    case RunEnd::HookFailed: return "hook-failed";
    case RunEnd::WindowMissing: return "window-missing";
    case RunEnd::ControlMissing: return "control-missing";
    case RunEnd::NotAnswering: return "not-answering";
    case RunEnd::SessionLocked: return "session-locked";
    case RunEnd::HigherRights: return "higher-rights";
    case RunEnd::StartFailed: return "start-failed";
    }
    return "start-failed";
}

std::string FormatRunLogLine(const RunLogEntry& entry)
{
    std::string line;
    line.reserve(96 + entry.recordingPath.size() * 3);
    AppendTime(line, entry.time);
    line += '\t';
    AppendDecimal(line, entry.processId);
    line += '\t';
    line += RunEndWord(entry.end);
    line += '\t';
    AppendDecimal(line, entry.passesPlayed);
    line += '\t';
    AppendDecimal(line, entry.speedDivisor);
    line += '\t';
    AppendDecimal(line, entry.repeatCount);
    line += '\t';
    AppendPath(line, entry.recordingPath);
    line += "\r\n";
    return line;
}

bool ShouldRotateRunLog(int64_t logBytes, int64_t lineBytes)
{
    return logBytes > 0 && logBytes + lineBytes > RunLogLimitBytes;
}
