// The exit and the cancel against a worker inside an injection call that does not return (a
// fake injection that blocks): the exit releases what the playback holds without waiting for
// that call, the press under way included, and the worker injects nothing after it; the
// cancel goes on only once the injection under way is over, and no record follows it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "core/ActivityState.h"
#include "core/Settings.h"
#include "playback/PlaybackWorker.h"
#include "recording/InputRecord.h"
#include "support/PlaybackFakes.h"
#include "support/PlaybackStart.h"
#include "support/TempWorkingFolder.h"

using Texts = std::vector<std::string>;

namespace {

constexpr DWORD DeadlineMs = 30000;

// A worker playing A, B and C pressed, whose injection of B does not return until the test
// lets it.
class StuckInjection : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterFreshWorkingFolder();
        ResetForPlayback();
        gPlaybackPath =
            WriteRecordingFile(L"Stuck.rec", {InputRecord{Key, 0x41, 1, 0, 0, 0}, InputRecord{Key, 0x42, 1, 5, 0, 0},
                                              InputRecord{Key, 0x43, 1, 5, 0, 0}});
        stuck = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        letGo = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        gOnFakeEvent = [this](const std::string& what) {
            if (what != "key 66 down") return;
            SetEvent(stuck);
            WaitForSingleObject(letGo, INFINITE);
        };
        ASSERT_TRUE(StartPlaybackWorker(nullptr));
        ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(stuck, DeadlineMs)) << "the worker never reached B";
    }
    void TearDown() override
    {
        SetEvent(letGo);
        EXPECT_TRUE(WaitForPlaybackWorkerEnd(DeadlineMs));
        CloseWorkerThreadHandles();
        gOnFakeEvent = nullptr;
        CloseHandle(stuck);
        CloseHandle(letGo);
        LeaveWorkingFolder();
    }
    HANDLE stuck = nullptr;
    HANDLE letGo = nullptr;
};

struct StopCall {
    HANDLE done;
};

DWORD WINAPI CallStopPlaybackWorker(LPVOID parameter)
{
    StopPlaybackWorker();
    SetEvent(static_cast<StopCall*>(parameter)->done);
    return 0;
}

}  // namespace

TEST_F(StuckInjection, TheExitReleasesWhatThePlaybackHoldsAndTheWorkerInjectsNothingAfter)
{
    StopPlaybackForExit(200);
    // B was on the list before its injection began, so the exit releases it too.
    EXPECT_EQ((Texts{"key 65 down", "key 66 down", "key 65 up", "key 66 up"}), gInjected);

    SetEvent(letGo);
    ASSERT_TRUE(WaitForPlaybackWorkerEnd(DeadlineMs));
    EXPECT_EQ((Texts{"key 65 down", "key 66 down", "key 65 up", "key 66 up"}), gInjected)
        << "no C and no second release once the exit has released";
}

TEST_F(StuckInjection, TheCancelWaitsForTheInjectionUnderWayAndNoRecordFollowsIt)
{
    gActivityState.store(Busy);  // as the cancel sets it before it stops the worker
    StopCall call{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    HANDLE thread = CreateThread(nullptr, 0, CallStopPlaybackWorker, &call, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(call.done, 300))
        << "the cancel went on while B was still being injected";

    SetEvent(letGo);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(call.done, DeadlineMs));
    ASSERT_TRUE(WaitForPlaybackWorkerEnd(DeadlineMs));
    WaitForSingleObject(thread, DeadlineMs);
    CloseHandle(thread);
    CloseHandle(call.done);
    EXPECT_EQ((Texts{"key 65 down", "key 66 down", "key 65 up", "key 66 up"}), gInjected)
        << "C is not played after the cancel; the worker releases A and B";
}
