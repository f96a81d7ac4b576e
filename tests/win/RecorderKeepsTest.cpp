// What the recorder keeps however a recording ends: a write that comes out short ends the
// recording there, in whole records, though later writes would succeed; records reach the
// file within a second of their event and at every flush, not only with a full buffer; and a
// recording left in TempRecord.rec is renamed to a name of its own, never emptied (one that
// cannot be renamed: the end-to-end test, with the program's warning).
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "core/Messages.h"
#include "library/LeftoverRecording.h"
#include "library/QueryFileSize.h"
#include "library/RecordingNames.h"
#include "library/RecordsFolder.h"
#include "recording/Recorder.h"
#include "recording/RecordingFileWrite.h"
#include "support/FakeClock.h"
#include "support/FileHelpers.h"
#include "support/TempWorkingFolder.h"

namespace {

using Bytes = std::vector<uint8_t>;

// How many of the next writes come out short: such a write puts all but the last 8 bytes on
// disk and reports success with that count. Written and read on the test's thread.
int gShortWritesToCome = 0;
int gWrites = 0;

}  // namespace

bool WriteRecordingFile(HANDLE file, const uint8_t* bytes, uint32_t size, uint32_t& written)
{
    ++gWrites;
    uint32_t toWrite = size;
    if (gShortWritesToCome > 0 && size > 8) {
        --gShortWritesToCome;
        toWrite = size - 8;
    }
    DWORD done = 0;
    const BOOL wrote = WriteFile(file, bytes, toWrite, &done, nullptr);
    written = done;
    return wrote != FALSE;
}

namespace {

class RecorderKeeps : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterFreshWorkingFolder();
        ASSERT_TRUE(CreateDirectoryW(L"Records", nullptr));
        gShortWritesToCome = 0;
        gWrites = 0;
        gFakeClockNow = 0;
    }
    void TearDown() override
    {
        StopRecording();
        LeaveWorkingFolder();
    }
};

HookEvent KeyAt(uint32_t time, uint32_t message = KeyDownMessage)
{
    return HookEvent{message, 0x41, 0, 0, time};
}

}  // namespace

TEST_F(RecorderKeeps, AShortWriteEndsTheRecordingThereInWholeRecords)
{
    ASSERT_TRUE(StartRecording());
    SetReferenceTime(0);
    gShortWritesToCome = 1;
    // 256 records fill the buffer: its write is the short one.
    for (uint32_t i = 1; i < 256; ++i) ASSERT_TRUE(RecordHookEventAt(KeyAt(i))) << i;
    EXPECT_FALSE(RecordHookEventAt(KeyAt(256))) << "the recording goes on after a short write";
    // Later writes would succeed: nothing more is recorded all the same.
    EXPECT_FALSE(RecordHookEventAt(KeyAt(300)));
    EXPECT_FALSE(FlushRecording());
    EXPECT_FALSE(StopRecording());
    EXPECT_EQ(gWrites, 1);
    // 4088 bytes reached the file: cut back to the 255 whole records among them.
    EXPECT_EQ(QueryFileSize(TempRecordPath), 255 * 16);
}

TEST_F(RecorderKeeps, RecordsReachTheFileWithinASecondAndAtEveryFlush)
{
    ASSERT_TRUE(StartRecording());
    SetReferenceTime(5000);
    ASSERT_TRUE(RecordHookEventAt(KeyAt(5100)));
    ASSERT_TRUE(RecordHookEventAt(KeyAt(5900, KeyUpMessage)));
    EXPECT_EQ(QueryFileSize(TempRecordPath), 0) << "written before a second had passed";
    // A record a second after the start writes out everything so far, itself included.
    ASSERT_TRUE(RecordHookEventAt(KeyAt(6000)));
    EXPECT_EQ(QueryFileSize(TempRecordPath), 3 * 16);
    ASSERT_TRUE(RecordHookEventAt(KeyAt(6500, KeyUpMessage)));
    EXPECT_EQ(QueryFileSize(TempRecordPath), 3 * 16);
    // The flush timer's write, between events.
    EXPECT_TRUE(FlushRecording());
    EXPECT_EQ(QueryFileSize(TempRecordPath), 4 * 16);
    EXPECT_TRUE(FlushRecording());
    EXPECT_EQ(gWrites, 2) << "an empty buffer is not written";
    // The next second counts from the last write-out because of age.
    ASSERT_TRUE(RecordHookEventAt(KeyAt(6990)));
    EXPECT_EQ(QueryFileSize(TempRecordPath), 4 * 16);
    ASSERT_TRUE(RecordHookEventAt(KeyAt(7000, KeyUpMessage)));
    EXPECT_EQ(QueryFileSize(TempRecordPath), 6 * 16);
    EXPECT_TRUE(StopRecording());
    const Bytes bytes = ReadWholeFile(TempRecordPath);
    ASSERT_EQ(bytes.size(), 6u * 16);
    // Delays from the events' own times: 100, 800, 100, 500, 490, 10.
    const int expected[] = {100, 800, 100, 500, 490, 10};
    for (size_t i = 0; i < 6; ++i) {
        const size_t at = i * 16 + 4;
        EXPECT_EQ(bytes[at] | (bytes[at + 1] << 8), expected[i]) << i;
    }
}

class LeftoverRecording : public RecorderKeeps {};

TEST_F(LeftoverRecording, ARecordingLeftInTempRecordIsKeptUnderTheFirstFreeName)
{
    EXPECT_TRUE(KeepLeftoverRecording()) << "nothing there";
    EXPECT_FALSE(FileExists(TempRecordPath));
    // An empty file holds nothing to keep: it stays, for the new recording to empty.
    WriteWholeFile(TempRecordPath, Bytes());
    EXPECT_TRUE(KeepLeftoverRecording());
    EXPECT_EQ(QueryFileSize(TempRecordPath), 0);

    const Bytes first(32, 0x21);
    const Bytes second(16, 0x22);
    WriteWholeFile(TempRecordPath, first);
    ASSERT_TRUE(SetFileAttributesW(TempRecordPath, FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(KeepLeftoverRecording());
    EXPECT_FALSE(FileExists(TempRecordPath));
    EXPECT_EQ(LeftoverRecordingName(1), L"Unterbrochene Aufzeichnung 1");
    EXPECT_EQ(LeftoverRecordingName(1024), L"Unterbrochene Aufzeichnung 1024");
    EXPECT_TRUE(IsValidRecordingName(LeftoverRecordingName(1)));
    EXPECT_FALSE(IsReservedRecordingName(LeftoverRecordingName(1)));
    const std::wstring path1 = RecordingPath(LeftoverRecordingName(1));
    EXPECT_EQ(ReadWholeFile(path1), first);
    EXPECT_EQ(GetFileAttributesW(path1.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);

    // The next leftover takes the next free number; a taken one is never replaced.
    const std::wstring path3 = RecordingPath(LeftoverRecordingName(3));
    WriteWholeFile(RecordingPath(LeftoverRecordingName(2)), Bytes(16, 0x99));
    WriteWholeFile(TempRecordPath, second);
    EXPECT_TRUE(KeepLeftoverRecording());
    EXPECT_EQ(ReadWholeFile(path1), first);
    EXPECT_EQ(ReadWholeFile(RecordingPath(LeftoverRecordingName(2))), Bytes(16, 0x99));
    EXPECT_EQ(ReadWholeFile(path3), second);

    // A torn first record is still the user's: kept too, never emptied.
    const Bytes torn(1, 0x33);
    WriteWholeFile(TempRecordPath, torn);
    EXPECT_TRUE(KeepLeftoverRecording());
    EXPECT_FALSE(FileExists(TempRecordPath));
    EXPECT_EQ(ReadWholeFile(RecordingPath(LeftoverRecordingName(4))), torn);
}
