// Window-aware playback: the worker hands every record to FollowWindow after its wait and
// before it plays it. Window records (recording/WindowRecords.h) name the window of the
// presses that follow; at each one after a pass's first, the next press waits until a window
// of that identity is where it needs it (in front for a key; visible and not covered at the
// click's position for a button or the wheel), and Moves inside the recorded rectangle are
// played at the same offset from where that window stands now. Control records
// (recording/ControlRecords.h) name the control of the press that follows: that press waits
// until the control is ready for it (ControlReadiness.h), and a position recorded on the control
// is played on the control where it stands now. A recording without window records passes
// through unchanged, and one without control records plays at window level.
#pragma once
#include <windows.h>

#include <cstdint>

#include "core/ControlIdentity.h"
#include "core/WindowIdentity.h"
#include "playback/ControlPlacement.h"
#include "playback/ControlReadiness.h"
#include "playback/Schedule.h"
#include "playback/WindowPlacement.h"
#include "recording/ControlRecords.h"
#include "recording/InputRecord.h"
#include "recording/WindowRecords.h"

// One look at a press's control: the control found (null: none), where it stands now, the
// checks, and the window's DPI now.
struct ControlLook {
    HWND control;
    ControlIdentity now;
    ControlChecks checks;
    int32_t dpi;
};

// What the worker knows of the windows of one pass; its own, set afresh by StartWindowFollow.
struct WindowFollow {
    WindowRecordReader reader;
    bool groupSeen;         // the pass has had its first window's records
    bool pending;           // a later window's records wait for their press
    WindowIdentity target;  // the window of the latest records
    WindowMapping mapping;  // from the recorded rectangle of `target` to where it stands now
    HWND window;            // the window of `target` as found, null while none was
    ControlRecordReader controlReader;
    bool controlPending;            // a control group waits for its press
    ControlIdentity control;        // the control of the latest control group
    ControlMapping controlMapping;  // from its recorded rectangle to where it stands now
    bool lookedAhead;               // `ahead` holds the look taken as the control's records were read
    ControlLook ahead;
    bool moveSeen;  // the pass has played a Move: the last one as recorded and as played
    int32_t moveX, moveY;
    int32_t playedX, playedY;
    bool placeCursor;  // the cursor goes to (placeX, placeY) before the record is played
    int32_t placeX, placeY;
};

// Every way but Play and Stopped ends the playback, with its message and its word in the run log.
enum class WindowStep {
    Play,            // play the record (a Move with its position mapped)
    Stopped,         // the playback was stopped during the wait
    WindowMissing,   // no window of the identity came in time
    ControlMissing,  // the control did not become ready for the press in time
    NotAnswering,    // the window did not answer messages in time
    SessionLocked,   // the session stayed locked (input cannot arrive)
    HigherRights     // the window runs with higher rights (input would be dropped)
};

void StartWindowFollow(WindowFollow& follow);
// Worker thread, once the record's wait is over. May wait for a window (a stop ends that wait
// at once); the time waited moves the rest of the schedule.
WindowStep FollowWindow(WindowFollow& follow, InputRecord& record, PlaybackSchedule& schedule);
// The cursor placement to play before the record, if the window that came stands elsewhere
// than the last Move put the cursor; false when there is none.
bool TakeCursorPlacement(WindowFollow& follow, InputRecord& move);
// Worker thread, after the pass has released what it held: tells the user why the playback
// stopped at `step` (one of the ways that end it), naming the program, window class and, where
// it was the control that was not ready, the control's class.
void ShowNotReadyMessage(WindowStep step, const WindowFollow& follow);
