// Rescaling in 64-bit integers: a coordinate and a screen size each fit in 31 bits, so their
// product does too in 63, and the rounding is exact.
#include "RecordRescale.h"

#include <charconv>

#include "RecordEdit.h"
#include "core/LittleEndian.h"
#include "recording/InputRecord.h"

namespace {

constexpr size_t XOffset = 8;
constexpr size_t YOffset = 12;

bool ReadSide(std::string_view text, int64_t& side)
{
    if (text.empty() || text[0] < '0' || text[0] > '9') return false;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), side);
    return failure == std::errc{} && end == text.data() + text.size() && side >= 1 && side <= INT32_MAX;
}

}  // namespace

bool ReadScreenSize(std::string_view text, ScreenSize& size)
{
    const size_t cross = text.find_first_of("xX");
    if (cross == std::string_view::npos) return false;
    ScreenSize read{};
    if (!ReadSide(text.substr(0, cross), read.width) || !ReadSide(text.substr(cross + 1), read.height)) return false;
    size = read;
    return true;
}

int32_t RescaleCoordinate(int32_t coordinate, int64_t to, int64_t from)
{
    const int64_t product = static_cast<int64_t>(coordinate) * to;
    int64_t scaled = product / from;  // towards zero
    const int64_t remainder = product % from;
    if (2 * remainder >= from) ++scaled;
    if (2 * remainder <= -from) --scaled;
    if (scaled > INT32_MAX) return INT32_MAX;
    if (scaled < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(scaled);
}

void RescaleRecords(std::span<const uint8_t> wholeRecords, const ScreenSize& from, const ScreenSize& to,
                    std::vector<uint8_t>& out)
{
    const size_t first = out.size();
    out.insert(out.end(), wholeRecords.begin(), wholeRecords.end());
    const size_t records = wholeRecords.size() / InputRecordSize;
    uint8_t* record = out.data() + first;
    for (size_t i = 0; i < records; ++i, record += InputRecordSize) {
        if (KindAt(record) != Move || IsRawRecord(record)) continue;
        const int32_t x = static_cast<int32_t>(GetUnsigned32(record + XOffset));
        const int32_t y = static_cast<int32_t>(GetUnsigned32(record + YOffset));
        PutUnsigned32(record + XOffset, static_cast<uint32_t>(RescaleCoordinate(x, to.width, from.width)));
        PutUnsigned32(record + YOffset, static_cast<uint32_t>(RescaleCoordinate(y, to.height, from.height)));
    }
}

std::vector<uint8_t> RescaleRecording(std::span<const uint8_t> bytes, const ScreenSize& from, const ScreenSize& to)
{
    return EditWholeFile(bytes, [&](std::span<const uint8_t> records, std::vector<uint8_t>& out) {
        RescaleRecords(records, from, to, out);
    });
}
