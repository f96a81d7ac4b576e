// The worker's read buffer: whole records only, also across reads, and never a partial tail.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "playback/RecordBuffer.h"

namespace {

std::vector<uint8_t> FileOf(int records, size_t extraBytes)
{
    std::vector<uint8_t> bytes;
    for (int i = 0; i < records; ++i) {
        uint8_t image[InputRecordSize];
        EncodeInputRecord(InputRecord{Move, 0, 0, i, i * 2, -i}, image);
        bytes.insert(bytes.end(), image, image + InputRecordSize);
    }
    bytes.insert(bytes.end(), extraBytes, 0x5A);
    return bytes;
}

// Plays the reader of the worker against a "file" that delivers at most `pieceSize` bytes
// per read; returns the delays of the records handed out.
std::vector<int32_t> ReadAll(const std::vector<uint8_t>& file, uint32_t pieceSize)
{
    static RecordBuffer buffer;
    ResetRecordBuffer(buffer);
    size_t offset = 0;
    std::vector<int32_t> delays;
    InputRecord record{};
    for (;;) {
        while (TakeRecord(buffer, record)) {
            const int32_t delay = record.delay;
            const int32_t x = record.x;
            EXPECT_EQ(delay * 2, x);
            delays.push_back(delay);
        }
        uint32_t freeBytes = 0;
        uint8_t* space = RecordBufferFreeSpace(buffer, freeBytes);
        const size_t piece = std::min<size_t>({freeBytes, pieceSize, file.size() - offset});
        if (piece == 0) {
            return delays;
        }
        std::copy(file.begin() + offset, file.begin() + offset + piece, space);
        offset += piece;
        buffer.end += static_cast<uint32_t>(piece);
    }
}

std::vector<int32_t> Numbers(int count)
{
    std::vector<int32_t> numbers;
    for (int i = 0; i < count; ++i) {
        numbers.push_back(i);
    }
    return numbers;
}

}  // namespace

TEST(RecordBuffer, HandsOutEveryRecordOfALargeFileInOrder)
{
    EXPECT_EQ(Numbers(1000), ReadAll(FileOf(1000, 0), RecordBufferSize));
}

TEST(RecordBuffer, JoinsRecordsThatStraddleTwoReads)
{
    EXPECT_EQ(Numbers(300), ReadAll(FileOf(300, 0), 4000));
    EXPECT_EQ(Numbers(50), ReadAll(FileOf(50, 0), 7));
}

TEST(RecordBuffer, NeverHandsOutATrailingPartialRecord)
{
    EXPECT_EQ(Numbers(3), ReadAll(FileOf(3, 9), RecordBufferSize));
    EXPECT_EQ(Numbers(257), ReadAll(FileOf(257, 15), 5));
    EXPECT_EQ(Numbers(0), ReadAll(FileOf(0, 15), RecordBufferSize));
    EXPECT_EQ(Numbers(0), ReadAll(FileOf(0, 0), RecordBufferSize));
}
