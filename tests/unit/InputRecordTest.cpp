// The Input record codec against the byte images of the recording file format.
#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "recording/InputRecord.h"

namespace {

using Bytes = std::array<uint8_t, InputRecordSize>;

Bytes Encoded(const InputRecord& record)
{
    Bytes bytes;
    bytes.fill(0xAA);  // every byte must be written, whatever was there
    EncodeInputRecord(record, bytes.data());
    return bytes;
}

struct Example {
    InputRecord record;
    Bytes bytes;
};

const Example Examples[] = {
    {{Key, 0x78, 0, 95, 0, 0}, {0x00, 0x78, 0x00, 0x00, 0x5F, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {{Key, 0x41, 1, 120, 0, 0}, {0x00, 0x41, 0x00, 0x01, 0x78, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {{Move, 0, 0, 16, 640, 480}, {0x02, 0, 0, 0, 0x10, 0, 0, 0, 0x80, 0x02, 0, 0, 0xE0, 0x01, 0, 0}},
    {{Button, 0x201, 0, 180, 0, 0}, {0x01, 0x01, 0x02, 0x00, 0xB4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    {{Wheel, 0, 0, 250, 0, -1}, {0x03, 0, 0, 0, 0xFA, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}},
    // The forward button pressed, the back button released, the horizontal wheel two to the left.
    {{Button, 0x20B, 0, 7, 0, 2}, {0x01, 0x0B, 0x02, 0x00, 0x07, 0, 0, 0, 0, 0, 0, 0, 0x02, 0, 0, 0}},
    {{Button, 0x20C, 0, 300, 0, 1}, {0x01, 0x0C, 0x02, 0x00, 0x2C, 0x01, 0, 0, 0, 0, 0, 0, 0x01, 0, 0, 0}},
    {{HorizontalWheel, 0, 0, 40, 0, -2}, {0x04, 0, 0, 0, 0x28, 0, 0, 0, 0, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF}},
};

// Fields are copied out first: the packed struct's fields may be misaligned, and the checks
// bind references.
void ExpectSameRecord(const InputRecord& expected, const InputRecord& actual)
{
    const int want[] = {expected.kind, expected.code, expected.down, expected.delay, expected.x, expected.y};
    const int got[] = {actual.kind, actual.code, actual.down, actual.delay, actual.x, actual.y};
    for (int field = 0; field < 6; ++field) {
        EXPECT_EQ(want[field], got[field]) << "field " << field;
    }
}

}  // namespace

TEST(InputRecord, EncodesTheDocumentedExamplesByteForByte)
{
    for (const Example& example : Examples) {
        EXPECT_EQ(example.bytes, Encoded(example.record)) << "kind " << int(example.record.kind);
    }
}

TEST(InputRecord, DecodesTheDocumentedExamples)
{
    for (const Example& example : Examples) {
        ExpectSameRecord(example.record, DecodeInputRecord(example.bytes.data()));
    }
}

TEST(InputRecord, NegativeAndExtremeValuesKeepTheirSignBothWays)
{
    const InputRecord record{Move, -2, -1, INT32_MIN, -1920, -1};
    const Bytes bytes = Encoded(record);
    const Bytes expected = {0x02, 0xFE, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80,
                            0x80, 0xF8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(expected, bytes);
    ExpectSameRecord(record, DecodeInputRecord(bytes.data()));
}

TEST(InputRecord, ReadsKindCodeAndDownAsSignedFields)
{
    const Bytes bytes = {0xFF, 0x00, 0x80, 0x80, 0xFF, 0xFF, 0xFF, 0x7F, 1, 0, 0, 0, 2, 0, 0, 0};
    ExpectSameRecord(InputRecord{-1, INT16_MIN, -128, INT32_MAX, 1, 2}, DecodeInputRecord(bytes.data()));
}

TEST(InputRecord, MatchesThePackedInMemoryLayoutOnALittleEndianHost)
{
    // The struct is also what a recording file holds byte for byte on the program's platform.
    const InputRecord record{Button, 0x208, 0, 0x01020304, 0x05060708, -0x090A0B0C};
    uint8_t memory[InputRecordSize];
    std::memcpy(memory, &record, sizeof memory);
    uint16_t probe = 1;
    uint8_t firstByte;
    std::memcpy(&firstByte, &probe, 1);
    if (firstByte != 1) {
        GTEST_SKIP() << "big-endian host";
    }
    const Bytes bytes = Encoded(record);
    EXPECT_EQ(0, std::memcmp(memory, bytes.data(), InputRecordSize));
}
