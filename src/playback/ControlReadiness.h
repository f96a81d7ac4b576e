// Whether a press may go into its control now, in pure logic over what the worker found out
// (ControlChecks.cpp, at the edge): the input can arrive at all (the program's desktop is
// the input desktop; the target does not run with higher rights, which drops injected input
// without a word), the window answers messages, the control is there, visible and enabled,
// and for a key it has the keyboard focus. Each reason to wait has its own time-out; higher
// rights stop at once, since waiting would not change them.
#pragma once
#include <cstdint>

// What the checks found, each as a plain answer.
struct ControlChecks {
    bool inputDesktop;    // the program's desktop is the one that takes input (no locked session)
    bool higherRights;    // the target's process runs at a higher integrity level than ours
    bool answers;         // the window answered a message within its short time-out
    bool controlReady;    // a control of the identity is in the window, visible and enabled
    bool focusInControl;  // the keyboard focus of the window's thread is in that control
};

enum class ControlVerdict {
    Ready,           // the press goes in now
    Wait,            // look again after the next poll
    ControlMissing,  // the control did not become ready (or take the focus) within its time-out
    NotAnswering,    // the window did not answer within its time-out
    SessionLocked,   // the input desktop did not come back within its time-out
    HigherRights     // the target runs with higher rights: stop at once
};

// How long each reason is waited for. A control as long as a window (10 s, or the record's own
// delay where the recording waited longer); a window that does not answer three times as long,
// since a program that loads or saves is busy for a while and then answers; a locked session
// a minute, time to unlock it.
constexpr int64_t NotAnsweringWaitMicroseconds = 30 * 1000 * 1000;
constexpr int64_t SessionLockedWaitMicroseconds = 60 * 1000 * 1000;

// `isKey`: the press is a key (the focus counts). `waitedMicroseconds`: since the wait for this
// press began. `recordedDelay`: the press's delay as recorded, in milliseconds. The reason that
// decides is the first that fails, in the order of the fields above; a wait gives up when that
// reason's time-out has passed since the wait began.
ControlVerdict DecideControlReadiness(const ControlChecks& checks, bool isKey, int64_t waitedMicroseconds,
                                      int32_t recordedDelay);
