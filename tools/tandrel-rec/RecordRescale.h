// rescale: the mouse moves of a recording made on a screen of one size, for a screen of another.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

struct ScreenSize {
    int64_t width;   // pixels, 1 to INT32_MAX
    int64_t height;  // pixels, 1 to INT32_MAX
};

// Reads "1920x1080" (an x or X between two whole numbers of 1 to INT32_MAX); false otherwise.
bool ReadScreenSize(std::string_view text, ScreenSize& size);

// A coordinate times to / from, to the nearest pixel with halves away from zero, and within the
// 32-bit range (only a coordinate far off any screen can reach past it; it stops at the limit).
int32_t RescaleCoordinate(int32_t coordinate, int64_t to, int64_t from);

// Every Move record's x and y rescaled from one screen size to the other, the primary screen's
// top left corner staying at 0, 0 (so screens left of or above it, with negative coordinates,
// scale too). Every other record, a move that dump writes as raw too, and a partial record at
// the end, is copied byte for byte.
std::vector<uint8_t> RescaleRecording(std::span<const uint8_t> bytes, const ScreenSize& from, const ScreenSize& to);
// The same for a run of whole records, appended to out.
void RescaleRecords(std::span<const uint8_t> wholeRecords, const ScreenSize& from, const ScreenSize& to,
                    std::vector<uint8_t>& out);
