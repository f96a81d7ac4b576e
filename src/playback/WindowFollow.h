// Window-aware playback: the worker hands every record to FollowWindow after its wait and
// before it plays it. Window records (recording/WindowRecords.h) name the window of the
// presses that follow; at each one after a pass's first, the next press waits until a window
// of that identity is where it needs it (in front for a key; visible and not covered at the
// click's position for a button or the wheel), and Moves inside the recorded rectangle are
// played at the same offset from where that window stands now. A recording without window
// records passes through unchanged.
#pragma once
#include <cstdint>

#include "core/WindowIdentity.h"
#include "playback/Schedule.h"
#include "playback/WindowPlacement.h"
#include "recording/InputRecord.h"
#include "recording/WindowRecords.h"

// What the worker knows of the windows of one pass; its own, set afresh by StartWindowFollow.
struct WindowFollow {
    WindowRecordReader reader;
    bool groupSeen;         // the pass has had its first window's records
    bool pending;           // a later window's records wait for their press
    WindowIdentity target;  // the window of the latest records
    WindowMapping mapping;  // from the recorded rectangle of `target` to where it stands now
    bool moveSeen;          // the pass has played a Move: the last one as recorded and as played
    int32_t moveX, moveY;
    int32_t playedX, playedY;
    bool placeCursor;  // the cursor goes to (placeX, placeY) before the record is played
    int32_t placeX, placeY;
};

enum class WindowStep {
    Play,          // play the record (a Move with its position mapped)
    Stopped,       // the playback was stopped during the wait
    WindowMissing  // no window of the identity came in time: the playback is to stop
};

void StartWindowFollow(WindowFollow& follow);
// Worker thread, once the record's wait is over. May wait for a window (a stop ends that wait
// at once); the time waited moves the rest of the schedule.
WindowStep FollowWindow(WindowFollow& follow, InputRecord& record, PlaybackSchedule& schedule);
// The cursor placement to play before the record, if the window that came stands elsewhere
// than the last Move put the cursor; false when there is none.
bool TakeCursorPlacement(WindowFollow& follow, InputRecord& move);
// Worker thread, after the pass has released what it held: tells the user that the window
// never came, naming its program and class.
void ShowWindowMissingMessage(const WindowIdentity& window);
