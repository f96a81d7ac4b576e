// Retiming works on due times, not on single delays: with --speed each record is put at its
// scaled due time and its delay is whatever is left since the record before, so the rounding of
// one record is made up by the next.
#include "RecordRetime.h"

#include "RecordEdit.h"
#include "recording/InputRecord.h"

namespace {

// Above this a scaled due time would overflow; it is far beyond any delay sum a file can reach
// in 32-bit delays (and is capped to the longest delay record by record anyway).
constexpr int64_t LatestScaledDueTime = INT64_MAX / 4;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

bool ReadSpeedFactor(std::string_view text, int64_t& millionths)
{
    size_t at = 0;
    int64_t whole = 0;
    while (at < text.size() && IsDigit(text[at])) {
        if (whole > FastestSpeedMillionths / SpeedOneMillionths) return false;
        whole = whole * 10 + (text[at++] - '0');
    }
    if (at == 0 || whole > FastestSpeedMillionths / SpeedOneMillionths) return false;
    int64_t fraction = 0;
    int64_t unit = SpeedOneMillionths;
    if (at < text.size() && text[at] == '.') {
        ++at;
        const size_t firstDecimal = at;
        while (at < text.size() && IsDigit(text[at])) {
            if (unit == 1) return false;  // a seventh decimal
            unit /= 10;
            fraction += (text[at++] - '0') * unit;
        }
        if (at == firstDecimal) return false;
    }
    if (at != text.size()) return false;
    const int64_t value = whole * SpeedOneMillionths + fraction;
    if (value < 1 || value > FastestSpeedMillionths) return false;
    millionths = value;
    return true;
}

int64_t DueTimeAtSpeed(int64_t due, int64_t speedMillionths)
{
    // due * 1000000 / speedMillionths, rounded down as the player's own speed divisor rounds, in
    // two parts so that neither product can overflow: the remainder is below 10^12, and it
    // times 10^6 stays below 10^18.
    const int64_t whole = due / speedMillionths;
    const int64_t remainder = due % speedMillionths;
    if (whole > LatestScaledDueTime / SpeedOneMillionths) return LatestScaledDueTime;
    return whole * SpeedOneMillionths + remainder * SpeedOneMillionths / speedMillionths;
}

void RetimeRecords(RetimeState& state, std::span<const uint8_t> wholeRecords, const RetimeOptions& options,
                   std::vector<uint8_t>& out)
{
    const size_t records = wholeRecords.size() / InputRecordSize;
    const uint8_t* record = wholeRecords.data();
    if (options.mode == RetimeMode::Speed) {
        for (size_t i = 0; i < records; ++i, record += InputRecordSize) {
            state.due = AddToDueTime(state.due, PlayedDelayAt(record));
            AppendDueAt(out, state.lastDue, record, DueTimeAtSpeed(state.due, options.speedMillionths));
        }
        return;
    }
    const bool fixed = options.mode == RetimeMode::FixedDelay;
    for (size_t i = 0; i < records; ++i, record += InputRecordSize) {
        const int64_t delay = PlayedDelayAt(record);
        const int64_t limit = options.milliseconds;
        AppendWithDelay(out, record, fixed || delay > limit ? limit : delay);
    }
}

std::vector<uint8_t> RetimeRecording(std::span<const uint8_t> bytes, const RetimeOptions& options)
{
    RetimeState state{};
    return EditWholeFile(bytes, [&](std::span<const uint8_t> records, std::vector<uint8_t>& out) {
        RetimeRecords(state, records, options, out);
    });
}
