// The recorder against the real file system and a scripted clock: the file it creates, the
// bytes of every kind of record, the delays, and the write buffer.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "library/QueryFileSize.h"
#include "library/RecordsFolder.h"
#include "recording/Recorder.h"
#include "support/FakeClock.h"
#include "support/FileHelpers.h"
#include "support/TempWorkingFolder.h"

namespace {

using Bytes = std::vector<uint8_t>;

class RecorderFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterFreshWorkingFolder();
        ASSERT_TRUE(CreateDirectoryW(L"Records", nullptr));
        gFakeClockNow = 0;
        gFakeClockReads = 0;
    }
    void TearDown() override
    {
        StopRecording();
        LeaveWorkingFolder();
    }

    // Starts a recording whose Reference time is `start`.
    void StartAt(uint32_t start)
    {
        ASSERT_TRUE(StartRecording());
        gFakeClockNow = start;
        SetReferenceTime(start);
    }
    // An event as the hook thread hands it on, timed `now`.
    void EventAt(uint32_t now, uint32_t message, int32_t value)
    {
        gFakeClockNow = now;
        RecordHookEventAt(HookEvent{message, value, 0, 0, now});
    }
    void MoveAt(uint32_t now, int32_t x, int32_t y)
    {
        gFakeClockNow = now;
        RecordHookEventAt(HookEvent{0x200, 0, x, y, now});
    }
};

int32_t Int32At(const Bytes& bytes, size_t offset)
{
    return static_cast<int32_t>(bytes[offset] | (bytes[offset + 1] << 8) | (bytes[offset + 2] << 16) |
                                (uint32_t(bytes[offset + 3]) << 24));
}

}  // namespace

TEST_F(RecorderFile, StartCreatesAnEmptyFileInPlaceOfAnOldOne)
{
    WriteWholeFile(TempRecordPath, Bytes(40, 0xAB));
    ASSERT_TRUE(StartRecording());
    EXPECT_TRUE(IsRecordingFileOpen());
    EXPECT_EQ(QueryFileSize(TempRecordPath), 0);
    StopRecording();
    EXPECT_FALSE(IsRecordingFileOpen());
    EXPECT_TRUE(ReadWholeFile(TempRecordPath).empty());
}

TEST_F(RecorderFile, StartEmptiesAHiddenLeftover)
{
    WriteWholeFile(TempRecordPath, Bytes(32, 0x11));
    ASSERT_TRUE(SetFileAttributesW(TempRecordPath, FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(StartRecording());
    StopRecording();
    EXPECT_EQ(QueryFileSize(TempRecordPath), 0);
}

TEST_F(RecorderFile, StartFailsWithoutTheRecordsFolder)
{
    ASSERT_TRUE(RemoveDirectoryW(L"Records"));
    EXPECT_FALSE(StartRecording());
    EXPECT_FALSE(IsRecordingFileOpen());
    // What the window callback could still send does no harm.
    RecordHookEventAt(HookEvent{0x100, 0x41, 0, 0, 0});
    StopRecording();
    EXPECT_FALSE(FolderExists(L"Records"));
}

TEST_F(RecorderFile, OthersMayReadTheFileButNotWriteIt)
{
    ASSERT_TRUE(StartRecording());
    HANDLE reader = CreateFileW(TempRecordPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
    HANDLE writer = CreateFileW(TempRecordPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
}

TEST_F(RecorderFile, WritesTheBytesOfEveryKindOfRecord)
{
    int32_t position[2] = {640, 480};
    int32_t leftOfPrimary[2] = {-1280, -5};
    StartAt(1000);
    EventAt(1095, 0x101, 0x78);              // F9 released
    EventAt(1215, 0x100, 0x41);              // A pressed
    MoveAt(1231, position[0], position[1]);  // moved
    EventAt(1411, 0x201, 0);                 // left pressed
    EventAt(1661, 0x20A, -1);                // wheel toward the user
    EventAt(1661, 0x104, 0x73);              // Alt+F4: F4 as a system key
    EventAt(1662, 0x105, 0x12);              // Alt released as a system key
    EventAt(1700, 0x202, 0);
    EventAt(1701, 0x204, 0);
    EventAt(1702, 0x205, 0);
    EventAt(1703, 0x207, 0);
    EventAt(1704, 0x208, 0);
    MoveAt(1705, leftOfPrimary[0], leftOfPrimary[1]);
    EventAt(1706, 0x20A, 2);
    StopRecording();

    const Bytes expected = {
        0x00, 0x78, 0x00, 0x00, 0x5F, 0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0x00, 0x41,
        0x00, 0x01, 0x78, 0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0x02, 0x00, 0x00, 0x00,
        0x10, 0,    0,    0,    0x80, 0x02, 0,    0,    0xE0, 0x01, 0,    0,    0x01, 0x01, 0x02, 0x00, 0xB4, 0,
        0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0x03, 0x00, 0x00, 0x00, 0xFA, 0,    0,    0,
        0,    0,    0,    0,    0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x73, 0x00, 0x01, 0x00, 0,    0,    0,    0,    0,
        0,    0,    0,    0,    0,    0,    0x00, 0x12, 0x00, 0x00, 0x01, 0,    0,    0,    0,    0,    0,    0,
        0,    0,    0,    0,    0x01, 0x02, 0x02, 0x00, 0x26, 0,    0,    0,    0,    0,    0,    0,    0,    0,
        0,    0,    0x01, 0x04, 0x02, 0x00, 0x01, 0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,
        0x01, 0x05, 0x02, 0x00, 0x01, 0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0x01, 0x07,
        0x02, 0x00, 0x01, 0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0x01, 0x08, 0x02, 0x00,
        0x01, 0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0,    0x02, 0x00, 0x00, 0x00, 0x01, 0,
        0,    0,    0x00, 0xFB, 0xFF, 0xFF, 0xFB, 0xFF, 0xFF, 0xFF, 0x03, 0x00, 0x00, 0x00, 0x01, 0,    0,    0,
        0,    0,    0,    0,    0x02, 0,    0,    0,
    };
    EXPECT_EQ(ReadWholeFile(TempRecordPath), expected);
}

// Each record's delay comes from the events' own times: the recorder never reads the clock.
TEST_F(RecorderFile, IgnoredEventsAddTheirTimeToTheNextRecord)
{
    StartAt(500);
    EventAt(550, 0x20D, 1);  // X button double click: no record
    EventAt(560, 0x20B, 0);  // an X button that is neither of the two: no record
    EventAt(580, 0x100, 0x41);
    EventAt(600, 0x203, 0);  // double click: no record
    EventAt(610, 0x101, 0x41);
    EXPECT_EQ(gFakeClockReads, 0);
    StopRecording();

    Bytes bytes = ReadWholeFile(TempRecordPath);
    ASSERT_EQ(bytes.size(), 32u);
    // The ignored notifications add their time to the next record.
    EXPECT_EQ(Int32At(bytes, 4), 80);
    EXPECT_EQ(Int32At(bytes, 16 + 4), 30);
}

TEST_F(RecorderFile, DelaysStaySmallAcrossAWrapOfTheClock)
{
    StartAt(0xFFFFFF00u);
    EventAt(0xFFFFFFF0u, 0x100, 0x41);
    EventAt(0x00000010u, 0x101, 0x41);
    EventAt(0x00000010u, 0x20A, 1);
    StopRecording();
    Bytes bytes = ReadWholeFile(TempRecordPath);
    ASSERT_EQ(bytes.size(), 48u);
    EXPECT_EQ(Int32At(bytes, 4), 0xF0);
    EXPECT_EQ(Int32At(bytes, 16 + 4), 0x20);
    EXPECT_EQ(Int32At(bytes, 32 + 4), 0);
}

TEST_F(RecorderFile, RepeatedMovesToTheSamePlaceEachMakeARecord)
{
    int32_t position[2] = {10, 20};
    StartAt(0);
    for (uint32_t t = 1; t <= 5; ++t) MoveAt(t, position[0], position[1]);
    StopRecording();
    EXPECT_EQ(QueryFileSize(TempRecordPath), 5 * 16);
}

TEST_F(RecorderFile, RecordsReachTheDiskInWholeBuffersUntilTheStop)
{
    StartAt(0);
    for (uint32_t i = 0; i < 255; ++i) EventAt(i + 1, 0x100, static_cast<int32_t>(i));
    // 255 records fill the 4096-byte buffer but for one record: nothing written yet.
    EXPECT_EQ(QueryFileSize(TempRecordPath), 0);
    EventAt(300, 0x101, 0x20);
    EXPECT_EQ(QueryFileSize(TempRecordPath), 4096);
    EventAt(301, 0x101, 0x21);
    EXPECT_EQ(QueryFileSize(TempRecordPath), 4096);
    StopRecording();
    EXPECT_EQ(QueryFileSize(TempRecordPath), 4096 + 16);
}

TEST_F(RecorderFile, AThousandRecordsAreWrittenWholeAndInOrder)
{
    int32_t position[2] = {0, 0};
    StartAt(7);
    uint32_t now = 7;
    for (int i = 0; i < 1000; ++i) {
        now += static_cast<uint32_t>(i % 37);
        position[0] = i;
        position[1] = -i;
        MoveAt(now, position[0], position[1]);
    }
    StopRecording();
    Bytes bytes = ReadWholeFile(TempRecordPath);
    ASSERT_EQ(bytes.size(), 16000u);
    for (int i = 0; i < 1000; ++i) {
        size_t at = static_cast<size_t>(i) * 16;
        ASSERT_EQ(bytes[at], 2) << i;
        ASSERT_EQ(Int32At(bytes, at + 4), i % 37) << i;
        ASSERT_EQ(Int32At(bytes, at + 8), i) << i;
        ASSERT_EQ(Int32At(bytes, at + 12), -i) << i;
    }
}

TEST_F(RecorderFile, ANewRecordingStartsEmptyAndCountsFromItsOwnStart)
{
    StartAt(100);
    EventAt(150, 0x100, 0x41);
    StopRecording();
    StartAt(5000);
    EventAt(5030, 0x101, 0x41);
    StopRecording();
    Bytes bytes = ReadWholeFile(TempRecordPath);
    ASSERT_EQ(bytes.size(), 16u);
    EXPECT_EQ(bytes[3], 0);
    EXPECT_EQ(Int32At(bytes, 4), 30);
}
