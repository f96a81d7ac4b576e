// The playback worker under Wine with fake injection and fake timing: real recording files in a
// folder of the test's own, the worker's passes, pauses and waits on a fake clock, its stop
// rules, its final message to a window of the test's, and the Activity state it leaves.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "core/ActivityState.h"
#include "core/Messages.h"
#include "core/PlaybackMark.h"
#include "core/Settings.h"
#include "playback/Injection.h"
#include "playback/PlaybackEndToken.h"
#include "playback/PlaybackWorker.h"
#include "recording/InputRecord.h"
#include "support/DialogDriver.h"
#include "support/ExpectedTexts.h"
#include "support/FileHelpers.h"
#include "support/PlaybackFakes.h"
#include "support/PlaybackStart.h"
#include "support/RecordingBytes.h"
#include "support/TempWorkingFolder.h"
#include "support/WindowHelpers.h"

using Lines = std::vector<std::string>;

namespace {

constexpr DWORD DeadlineMs = 20000;

InputRecord KeyRecord(int16_t code, int8_t down, int32_t delay)
{
    return InputRecord{Key, code, down, delay, 0, 0};
}
InputRecord ButtonRecord(int16_t code, int32_t delay)
{
    return InputRecord{Button, code, 0, delay, 0, 0};
}
InputRecord MoveRecord(int32_t x, int32_t y, int32_t delay)
{
    return InputRecord{Move, 0, 0, delay, x, y};
}
InputRecord WheelRecord(int32_t notches, int32_t delay)
{
    return InputRecord{Wheel, 0, 0, delay, 0, notches};
}

// Lines of the fake log that are not waits.
Lines Injections(const Lines& log)
{
    Lines injections;
    for (const std::string& line : log) {
        if (line.find(" wait ") == std::string::npos && line.find(" prepare") == std::string::npos) {
            injections.push_back(line);
        }
    }
    return injections;
}

int CountOf(const Lines& log, const std::string& ending)
{
    int count = 0;
    for (const std::string& line : log) {
        if (line.size() >= ending.size() && line.compare(line.size() - ending.size(), ending.size(), ending) == 0) {
            ++count;
        }
    }
    return count;
}

class PlaybackWorkerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetForPlayback();
        EnterFreshWorkingFolder();
        folder = WorkingFolder();
        path = folder + L"\\Aufnahme.rec";
        gPlaybackPath = path;
        window =
            CreateWindowExW(0, L"STATIC", L"playback test", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, window);
    }
    void TearDown() override
    {
        DestroyWindow(window);
        LeaveWorkingFolder();
        ResetPlaybackFakes();
    }
    void WriteRecording(const std::vector<InputRecord>& records, size_t extraBytes = 0)
    {
        std::vector<uint8_t> bytes = RecordingBytes(records);
        bytes.insert(bytes.end(), extraBytes, 0x7F);
        WriteWholeFile(path, bytes);
    }
    // Runs the worker on this thread, as its thread would, and answers its log.
    Lines Play()
    {
        EXPECT_EQ(0u, PlaybackWorker(window));
        return gFakeLog;
    }
    // Every message posted to the test window: WM_CLOSE with wParam and lParam 0, the end
    // message with its worker's token: only the last worker's counts, once and no more, while a
    // forged end (0, or the token's first half alone) never counts.
    std::vector<UINT> PostedMessages()
    {
        std::vector<MSG> posted;
        MSG msg;
        while (PeekMessageW(&msg, window, 0, 0, PM_REMOVE)) posted.push_back(msg);
        std::vector<UINT> messages;
        for (size_t i = 0; i < posted.size(); ++i) {
            const MSG& m = posted[i];
            messages.push_back(m.message);
            if (m.message != PlaybackEndedMessage) {
                EXPECT_EQ(0u, m.wParam);
                EXPECT_EQ(0, m.lParam);
                continue;
            }
            bool last = true;
            for (size_t j = i + 1; j < posted.size(); ++j) last = last && posted[j].message != PlaybackEndedMessage;
            EXPECT_FALSE(TakePlaybackEnd(0, 0));
            EXPECT_FALSE(TakePlaybackEnd(m.wParam, 0));
            EXPECT_EQ(last, TakePlaybackEnd(m.wParam, m.lParam)) << "end message " << i;
            EXPECT_FALSE(TakePlaybackEnd(m.wParam, m.lParam)) << "the same end counted twice";
        }
        return messages;
    }
    bool FileIsClosed()
    {
        HANDLE file =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return false;
        }
        CloseHandle(file);
        return true;
    }

    std::wstring folder;
    std::wstring path;
    HWND window = nullptr;
};

}  // namespace

TEST_F(PlaybackWorkerTest, PlaysOnePassAfterItsPauseWithEachRecordAtItsDueTime)
{
    WriteRecording({KeyRecord(0x41, 1, 100), MoveRecord(-5, 7, 20), WheelRecord(-2, 0), ButtonRecord(513, 30),
                    ButtonRecord(514, 10), KeyRecord(0x41, 0, 5)});
    const Lines expected = {
        "0 prepare",      "0 wait 2000",   "2000 wait 100",   "2100 key 65 down", "2100 wait 20",
        "2120 move -5,7", "2120 wait 0",   "2120 wheel -240", "2120 wait 30",     "2150 button 2",
        "2150 wait 10",   "2160 button 4", "2160 wait 5",     "2165 key 65 up",
    };
    // Each key carries the playback's mark while it plays (the fake injection notes it).
    uintptr_t markWhilePlaying = 0;
    gOnFakeEvent = [&markWhilePlaying](const std::string& what) {
        if (what == "key 65 down") markWhilePlaying = gPlaybackMark.mark.load();
    };
    EXPECT_EQ(expected, Play());
    gOnFakeEvent = nullptr;
    EXPECT_EQ(std::vector<UINT>{PlaybackEndedMessage}, PostedMessages());
    EXPECT_EQ(Idle, gActivityState.load());
    EXPECT_TRUE(FileIsClosed());
    // After it no input is taken for its own: the mark is cleared, kept only with the end's tick.
    EXPECT_NE(0u, markWhilePlaying);
    EXPECT_EQ(0u, gPlaybackMark.mark.load()) << "the mark outlived the playback";
    EXPECT_EQ(markWhilePlaying, gEndedPlaybackMark.mark.load());
    EXPECT_FALSE(IsPlaybacksOwnInput(markWhilePlaying, gEndedPlaybackMark.endTick.load() + 1));
}

TEST_F(PlaybackWorkerTest, FollowsTheInjectionTableForEveryKindCodeAndDownValue)
{
    const InputRecord other = {5, 0x41, 1, 1, 3, 3};
    const InputRecord negativeKind = {-1, 513, 1, 1, 3, 3};
    WriteRecording({KeyRecord(0x41, 2, 1), KeyRecord(0x1A5, 1, 1), ButtonRecord(515, 1), ButtonRecord(516, 1),
                    ButtonRecord(517, 1), ButtonRecord(519, 1), ButtonRecord(520, 1), ButtonRecord(0, 1), other,
                    negativeKind, KeyRecord(0x1A5, -1, 1), KeyRecord(0xA5, 0, 1)});
    const Lines expected = {"2002 key 165 down", "2004 button 8", "2005 button 16", "2006 button 32", "2007 button 64",
                            "2012 key 165 up",
                            // end of the pass: 0x1A5 is still held (0xA5 is another code)
                            "2012 key 165 up"};
    const Lines log = Play();
    EXPECT_EQ(expected, Injections(log));
    EXPECT_EQ(13, CountOf(log, " wait 1") + CountOf(log, " wait 2000")) << "every record waits";
}

TEST_F(PlaybackWorkerTest, RepeatsWithAPauseBeforeAndAReleaseAfterEveryPass)
{
    // The recording ends with a key and the left button still down.
    WriteRecording({KeyRecord(0x10, 1, 10), ButtonRecord(513, 10)});
    gRepeatCount = 2;
    const Lines expected = {
        "0 prepare",        "0 wait 2000",    "2000 wait 10",     "2010 key 16 down", "2010 wait 10",
        "2020 button 2",    "2020 key 16 up", "2020 button 4",    "2020 wait 2000",   "4020 wait 10",
        "4030 key 16 down", "4030 wait 10",   "4040 button 2",    "4040 key 16 up",   "4040 button 4",
        "4040 wait 2000",   "6040 wait 10",   "6050 key 16 down", "6050 wait 10",     "6060 button 2",
        "6060 key 16 up",   "6060 button 4",
    };
    EXPECT_EQ(expected, Play());
    EXPECT_EQ(std::vector<UINT>{PlaybackEndedMessage}, PostedMessages());
    EXPECT_EQ(Idle, gActivityState.load());
}

TEST_F(PlaybackWorkerTest, ANegativeRepeatCountPlaysNothingAndStillEnds)
{
    WriteRecording({KeyRecord(0x41, 1, 10)});
    gRepeatCount = -1;
    gQuitAfterPlayback = 1;
    EXPECT_EQ(Lines{"0 prepare"}, Play());
    EXPECT_EQ(std::vector<UINT>{WM_CLOSE}, PostedMessages());
    EXPECT_EQ(Idle, gActivityState.load());
}

TEST_F(PlaybackWorkerTest, ReadsTheRepeatCountAfreshBeforeEveryPass)
{
    WriteRecording({KeyRecord(0x41, 1, 10), KeyRecord(0x41, 0, 10)});
    gRepeatCount = 5;
    gOnFakeEvent = [](const std::string& what) {
        if (what == "key 65 up") {
            gRepeatCount = 1;  // two passes in all
        }
    };
    EXPECT_EQ(2, CountOf(Play(), "wait 2000"));
}

TEST_F(PlaybackWorkerTest, TheSpeedDivisorShortensTheScheduleNotEachWaitOnItsOwn)
{
    WriteRecording({KeyRecord(0x41, 1, 15), KeyRecord(0x41, 0, 15)});
    gSpeedDivisor = 2;
    EXPECT_EQ((Lines{"0 prepare", "0 wait 2000", "2000 wait 7", "2007 key 65 down", "2007 wait 8", "2015 key 65 up"}),
              Play());

    // Delays below the divisor still play at ten times the speed, not at once.
    std::vector<InputRecord> records;
    for (int i = 0; i < 20; ++i) {
        records.push_back(MoveRecord(i, i, 5));
    }
    WriteRecording(records);
    ResetPlaybackFakes();
    gSpeedDivisor = 10;
    const Lines injections = Injections(Play());
    ASSERT_EQ(20u, injections.size());
    EXPECT_EQ("2000 move 0,0", injections.front());
    EXPECT_EQ("2010 move 19,19", injections.back());
}

TEST_F(PlaybackWorkerTest, ANegativeDelayWaitsNothing)
{
    WriteRecording(
        {KeyRecord(0x41, 1, 50), KeyRecord(0x41, 0, -1), KeyRecord(0x42, 1, INT32_MIN), KeyRecord(0x42, 0, 10)});
    EXPECT_EQ((Lines{"0 prepare", "0 wait 2000", "2000 wait 50", "2050 key 65 down", "2050 wait 0", "2050 key 65 up",
                     "2050 wait 0", "2050 key 66 down", "2050 wait 10", "2060 key 66 up"}),
              Play());
}

TEST_F(PlaybackWorkerTest, ATrailingPartialRecordIsNotPlayed)
{
    WriteRecording({KeyRecord(0x41, 1, 10), MoveRecord(4, 5, 10)}, 9);
    EXPECT_EQ((Lines{"2010 key 65 down", "2020 move 4,5", "2020 key 65 up"}), Injections(Play()));

    WriteRecording({}, 15);  // less than one record
    ResetPlaybackFakes();
    EXPECT_EQ((Lines{"0 prepare", "0 wait 2000"}), Play());
}

TEST_F(PlaybackWorkerTest, ReadsFilesLargerThanItsBufferRecordByRecord)
{
    std::vector<InputRecord> records;
    for (int i = 0; i < 1000; ++i) {
        records.push_back(MoveRecord(i, -i, i % 3));
    }
    WriteRecording(records);
    const Lines injections = Injections(Play());
    ASSERT_EQ(1000u, injections.size());
    EXPECT_EQ("2000 move 0,0", injections[0]);
    EXPECT_EQ("2256 move 256,-256", injections[256]);  // the first record of the second read
    EXPECT_EQ("2999 move 999,-999", injections[999]);
}

TEST_F(PlaybackWorkerTest, ACancelDuringARecordsWaitSkipsThatRecordThenReleasesAndEnds)
{
    WriteRecording({KeyRecord(0x41, 1, 10), KeyRecord(0x42, 1, 10), KeyRecord(0x43, 1, 10), KeyRecord(0x41, 0, 10)});
    gRepeatCount = 3;
    // F9 arrives during the wait of the second record: the main thread sets Busy. The state is
    // read after the wait, so the second record is not played.
    gOnFakeEvent = [](const std::string& what) {
        if (what == "wait 10" && gFakeNowMicroseconds == 2010000) {
            gActivityState.store(Busy);
        }
    };
    EXPECT_EQ((Lines{"2010 key 65 down", "2020 key 65 up"}), Injections(Play()));
    EXPECT_EQ(std::vector<UINT>{PlaybackEndedMessage}, PostedMessages());
    EXPECT_EQ(Busy, gActivityState.load()) << "the end does not override the cancel";
    EXPECT_TRUE(FileIsClosed());
}

TEST_F(PlaybackWorkerTest, AStopCutsTheRunningWaitShortAndItsRecordIsNeverPlayed)
{
    // A close request or the exit stops the worker without a cancel: the state stays Playing.
    WriteRecording({KeyRecord(0x41, 1, 10), MoveRecord(777, 555, 20000), KeyRecord(0x41, 0, 10)});
    gRepeatCount = 2;
    gQuitAfterPlayback = 1;
    gOnFakeEvent = [](const std::string& what) {
        if (what == "wait 20000") {
            SignalPlaybackStop();
        }
    };
    EXPECT_EQ(
        (Lines{"0 prepare", "0 wait 2000", "2000 wait 10", "2010 key 65 down", "2010 wait 20000", "2010 key 65 up"}),
        Play());
    EXPECT_EQ(std::vector<UINT>{WM_CLOSE}, PostedMessages());
    EXPECT_EQ(Idle, gActivityState.load());
    EXPECT_TRUE(FileIsClosed());
}

TEST_F(PlaybackWorkerTest, AStopDuringThePauseEndsBeforeTheFirstRecord)
{
    WriteRecording({KeyRecord(0x41, 1, 10)});
    gQuitAfterPlayback = 1;
    gOnFakeEvent = [](const std::string& what) {
        if (what == "wait 2000") {
            gActivityState.store(Busy);
        }
    };
    EXPECT_EQ((Lines{"0 prepare", "0 wait 2000"}), Play());
    // Stopped at F9, unattended: the main thread ends the program once its notice is answered,
    // so the worker posts its end, not a close that could overtake the notice.
    EXPECT_EQ(std::vector<UINT>{PlaybackEndedMessage}, PostedMessages());
    EXPECT_EQ(Busy, gActivityState.load());
    EXPECT_TRUE(FileIsClosed());
}

TEST_F(PlaybackWorkerTest, AnEmptyRecordingWithEndlessRepeatsCanBeStopped)
{
    WriteRecording({});
    gRepeatCount = INT32_MAX;
    gOnFakeEvent = [](const std::string& what) {
        if (what == "wait 2000" && gFakeNowMicroseconds == 4000000) {
            gActivityState.store(Busy);  // F9 during the third pause
        }
    };
    EXPECT_EQ(3, CountOf(Play(), "wait 2000"));
    EXPECT_EQ(std::vector<UINT>{PlaybackEndedMessage}, PostedMessages());
}

TEST_F(PlaybackWorkerTest, AStopBetweenTwoPassesIsSeenBeforeTheNextPassOpensTheFile)
{
    WriteRecording({KeyRecord(0x41, 1, 10)});
    gRepeatCount = 2;
    // The release at the end of the first pass is the last thing before the next pass.
    gOnFakeEvent = [](const std::string& what) {
        if (what == "key 65 up") {
            gActivityState.store(Busy);
        }
    };
    EXPECT_EQ((Lines{"0 prepare", "0 wait 2000", "2000 wait 10", "2010 key 65 down", "2010 key 65 up"}), Play());
}

TEST_F(PlaybackWorkerTest, EndsIdleOnlyFromPlaying)
{
    WriteRecording({KeyRecord(0x41, 1, 10)});
    // The main thread has already closed its cancel message and started a recording.
    gOnFakeEvent = [](const std::string& what) {
        if (what == "key 65 down") {
            gActivityState.store(Recording);
        }
    };
    Play();
    EXPECT_EQ(Recording, gActivityState.load());

    gOnFakeEvent = nullptr;
    gActivityState.store(Busy);  // a stale state from before is replaced by the start
    Play();
    EXPECT_EQ(Idle, gActivityState.load());
    EXPECT_EQ((std::vector<UINT>{PlaybackEndedMessage, PlaybackEndedMessage}), PostedMessages());
}

TEST_F(PlaybackWorkerTest, HoldsTheFileAgainstWritersAndReopensItForEveryPass)
{
    WriteRecording({KeyRecord(0x41, 1, 10)});
    gRepeatCount = 1;
    bool writableDuringPass = true;
    bool readableDuringPass = false;
    const std::wstring recording = path;
    gOnFakeEvent = [&](const std::string& what) {
        if (what == "key 65 down") {
            HANDLE writer = CreateFileW(recording.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
            writableDuringPass = writer != INVALID_HANDLE_VALUE;
            if (writableDuringPass) CloseHandle(writer);
            HANDLE reader = CreateFileW(recording.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            readableDuringPass = reader != INVALID_HANDLE_VALUE;
            if (readableDuringPass) CloseHandle(reader);
        }
        if (what == "key 65 up") {
            // The release at the end of the pass: the file is closed by then and may change.
            WriteWholeFile(recording, RecordingBytes({KeyRecord(0x42, 1, 10)}));
        }
    };
    EXPECT_EQ((Lines{"2010 key 65 down", "2010 key 65 up", "4020 key 66 down", "4020 key 66 up"}), Injections(Play()));
    EXPECT_FALSE(writableDuringPass);
    EXPECT_TRUE(readableDuringPass);
}

namespace {

bool WaitForWorkerEnd()
{
    const DWORD start = GetTickCount();
    while (IsPlaybackWorkerRunning()) {
        if (GetTickCount() - start > DeadlineMs) {
            return false;
        }
        Sleep(10);
    }
    return true;
}

}  // namespace

TEST_F(PlaybackWorkerTest, AFileThatCannotBeOpenedIsReportedOnTheWorkerThreadThenItEnds)
{
    // Nothing at the path, then a folder (in unattended mode), then a device under a
    // recording's name, which opens but is no file on a disk.
    const std::wstring paths[] = {folder + L"\\missing.rec", folder, folder + L"\\NUL.rec"};
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        ResetPlaybackFakes();
        gActivityState.store(Idle);
        gPlaybackPath = paths[round];
        gQuitAfterPlayback = round == 1 ? 1 : 0;
        ASSERT_TRUE(StartPlaybackWorker(window));

        HWND box = WaitForDialog(DialogKind::Box, DeadlineMs);
        ASSERT_NE(nullptr, box);
        EXPECT_NE(GetCurrentThreadId(), GetWindowThreadProcessId(box, nullptr));
        bool hasText = false;
        for (const std::wstring& text : ChildTexts(box)) {
            hasText = hasText || text == expected::PlaybackFailedError;
        }
        EXPECT_TRUE(hasText);
        // While the box is open the playback counts as running.
        EXPECT_EQ(Playing, gActivityState.load());
        EXPECT_TRUE(IsPlaybackWorkerRunning());
        EXPECT_FALSE(StartPlaybackWorker(window)) << "no second worker while one runs";

        PostButtonClick(box, IDOK);
        ASSERT_TRUE(WaitForWorkerEnd());
        EXPECT_EQ(Lines{"0 prepare"}, gFakeLog) << "no pause, nothing injected";
        EXPECT_EQ(std::vector<UINT>{round == 1 ? WM_CLOSE : PlaybackEndedMessage}, PostedMessages());
        EXPECT_EQ(Idle, gActivityState.load());
    }
    CloseWorkerThreadHandles();
    EXPECT_FALSE(IsPlaybackWorkerRunning());
}

TEST_F(PlaybackWorkerTest, StartsAgainOnceThePreviousWorkerHasEnded)
{
    WriteRecording({KeyRecord(0x41, 1, 10)});
    ASSERT_TRUE(StartPlaybackWorker(window));
    ASSERT_TRUE(WaitForWorkerEnd());
    ASSERT_TRUE(StartPlaybackWorker(window));
    ASSERT_TRUE(WaitForWorkerEnd());
    CloseWorkerThreadHandles();
    EXPECT_EQ(2, CountOf(gFakeLog, "key 65 down"));
    EXPECT_EQ((std::vector<UINT>{PlaybackEndedMessage, PlaybackEndedMessage}), PostedMessages());
}
