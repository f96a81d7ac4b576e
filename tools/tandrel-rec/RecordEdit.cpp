// Records with new delays: only the four delay bytes change, so odd records keep everything the
// player ignores, and a record whose time does not change stays exactly as it was.
#include "RecordEdit.h"

#include "RecordOddity.h"
#include "core/LittleEndian.h"
#include "recording/InputRecord.h"

namespace {

// Like the player's schedule, the running sum stops far above any real recording so that the
// arithmetic on due times never overflows.
constexpr int64_t LatestDueTime = INT64_MAX / 4;

constexpr size_t DelayOffset = 4;

}  // namespace

int8_t KindAt(const uint8_t* record)
{
    return static_cast<int8_t>(record[0]);
}

int64_t PlayedDelayAt(const uint8_t* record)
{
    const int32_t delay = static_cast<int32_t>(GetUnsigned32(record + DelayOffset));
    return delay > 0 ? delay : 0;
}

int64_t AddToDueTime(int64_t due, int64_t playedDelay)
{
    return due > LatestDueTime - playedDelay ? LatestDueTime : due + playedDelay;
}

void AppendWithDelay(std::vector<uint8_t>& out, const uint8_t* record, int64_t delay)
{
    out.insert(out.end(), record, record + InputRecordSize);
    if (delay == PlayedDelayAt(record)) return;
    PutUnsigned32(out.data() + out.size() - InputRecordSize + DelayOffset, static_cast<uint32_t>(delay));
}

void AppendDueAt(std::vector<uint8_t>& out, int64_t& lastDue, const uint8_t* record, int64_t due)
{
    int64_t delay = due > lastDue ? due - lastDue : 0;
    if (delay > LongestDelay) delay = LongestDelay;
    lastDue += delay;
    AppendWithDelay(out, record, delay);
}

void AppendTail(std::vector<uint8_t>& out, std::span<const uint8_t> bytes)
{
    const size_t tail = bytes.size() % InputRecordSize;
    out.insert(out.end(), bytes.end() - static_cast<std::ptrdiff_t>(tail), bytes.end());
}

std::span<const uint8_t> WholeRecordsOf(std::span<const uint8_t> bytes)
{
    return bytes.first(bytes.size() - bytes.size() % InputRecordSize);
}

bool IsRawRecord(const uint8_t* record)
{
    return OddityOf(DecodeInputRecord(record)) != RecordOddity::None;
}
