// Waiting for a recording's windows and controls and placing its clicks where they stand now
// (see WindowFollow.h). Each wait looks every 10 ms, each look a PlaybackWait that a stop ends at
// once, so it never spins and never outlasts F9, a close request or the session's end.
#include "playback/WindowFollow.h"

#include <windows.h>

#include <cstring>

#include "core/UserTexts.h"
#include "core/WindowIdentityRead.h"
#include "playback/ControlChecks.h"
#include "playback/Injection.h"
#include "ui/MessageDialog.h"

namespace {

constexpr int64_t WindowPollMicroseconds = 10 * 1000;

bool IsPress(const InputRecord& record)
{
    return record.kind == Key || record.kind == Button || record.kind == Wheel || record.kind == HorizontalWheel;
}

// The window's identity and rectangle now, when it is of the identity wanted.
bool MatchesTarget(HWND window, const WindowIdentity& target, WindowIdentity& now)
{
    now = {};
    ReadWindowClass(window, now);
    // The class first: it is cheap, and the program's name needs the process opened.
    std::memcpy(now.program, target.program, sizeof now.program);
    if (!IsSameWindowIdentity(now, target)) return false;
    ReadWindowProgram(window, now);
    return IsSameWindowIdentity(now, target) && ReadWindowRectangle(window, now);
}

struct Search {
    const WindowFollow* follow;
    bool atPoint;  // the window must be the one at the click's position
    HWND found;
    WindowIdentity now;
};

bool IsAtClick(const WindowFollow& follow, HWND window, const WindowIdentity& now)
{
    if (!follow.moveSeen) return true;
    int32_t x = follow.moveX;
    int32_t y = follow.moveY;
    MapPosition(MapWindow(follow.target, now), x, y);
    const HWND under = WindowFromPoint(POINT{x, y});
    return under != nullptr && GetAncestor(under, GA_ROOT) == window;
}

BOOL CALLBACK LookAtWindow(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<Search*>(parameter);
    if (!IsWindowVisible(window) || IsIconic(window)) return TRUE;
    if (!MatchesTarget(window, search.follow->target, search.now)) return TRUE;
    if (search.atPoint && !IsAtClick(*search.follow, window, search.now)) return TRUE;
    search.found = window;
    return FALSE;
}

// A window of the target's identity where the record needs it (null when there is none), and
// where it stands now.
HWND FindTarget(const WindowFollow& follow, const InputRecord& record, WindowIdentity& now)
{
    if (record.kind == Key) {
        const HWND front = GetForegroundWindow();
        return front != nullptr && MatchesTarget(front, follow.target, now) ? front : nullptr;
    }
    Search search{&follow, IsPress(record), nullptr, {}};
    EnumWindows(LookAtWindow, reinterpret_cast<LPARAM>(&search));
    now = search.now;
    return search.found;
}

// From here on, positions inside the recorded rectangle go to the window as it stands now; the
// cursor follows at once when the last Move lies inside it.
void UseMapping(WindowFollow& follow, const WindowMapping& mapping)
{
    follow.mapping = mapping;
    if (!follow.moveSeen) return;
    int32_t x = follow.moveX;
    int32_t y = follow.moveY;
    MapPosition(mapping, x, y);
    if (x == follow.playedX && y == follow.playedY) return;
    follow.placeCursor = true;
    follow.placeX = follow.playedX = x;
    follow.placeY = follow.playedY = y;
}

// The pass's first window is not waited for: the recording plays into whatever is in front, and
// relative to it only when it is of the same identity.
void OnFirstWindow(WindowFollow& follow)
{
    WindowIdentity now;
    const HWND front = GetForegroundWindow();
    if (front != nullptr && MatchesTarget(front, follow.target, now)) {
        follow.window = front;
        UseMapping(follow, MapWindow(follow.target, now));
    } else {
        follow.window = nullptr;
        follow.mapping.active = false;
    }
}

WindowStep WaitForTarget(WindowFollow& follow, const InputRecord& record, PlaybackSchedule& schedule)
{
    const int64_t start = PlaybackClock();
    const int64_t limit = WindowWaitLimitMicroseconds(record.delay);
    WindowIdentity now;
    bool waited = false;
    while ((follow.window = FindTarget(follow, record, now)) == nullptr) {
        if (PlaybackClock() - start >= limit) return WindowStep::WindowMissing;
        if (!PlaybackWait(WindowPollMicroseconds)) return WindowStep::Stopped;
        waited = true;
    }
    if (waited) ShiftPlaybackSchedule(schedule, PlaybackClock() - start);
    UseMapping(follow, MapWindow(follow.target, now));
    return WindowStep::Play;
}

// From here on, positions inside the control's recorded rectangle go to the control as it
// stands now; before a click or a wheel turn the cursor follows at once when the last Move lies
// inside it (the recorder writes the control's records after the Moves that led to the press).
void UseControlMapping(WindowFollow& follow, const ControlMapping& mapping, bool placeCursor)
{
    follow.controlMapping = mapping;
    if (!placeCursor || !follow.moveSeen) return;
    int32_t x = follow.moveX;
    int32_t y = follow.moveY;
    if (!MapControlPosition(mapping, x, y) || (x == follow.playedX && y == follow.playedY)) return;
    follow.placeCursor = true;
    follow.placeX = follow.playedX = x;
    follow.placeY = follow.playedY = y;
}

WindowStep StepOf(ControlVerdict verdict)
{
    switch (verdict) {
    case ControlVerdict::ControlMissing: return WindowStep::ControlMissing;
    case ControlVerdict::NotAnswering: return WindowStep::NotAnswering;
    case ControlVerdict::SessionLocked: return WindowStep::SessionLocked;
    case ControlVerdict::HigherRights: return WindowStep::HigherRights;
    case ControlVerdict::Ready:
    case ControlVerdict::Wait: break;
    }
    return WindowStep::Play;
}

// One look at the control in the recording's window, with all the checks.
ControlLook LookAtControl(const WindowFollow& follow, bool withFocus)
{
    ControlLook look{};
    look.control = FindControl(follow.window, follow.control, look.now);
    look.checks = CheckControl(follow.window, look.control, withFocus);
    look.dpi = look.control != nullptr ? WindowDisplayDpi(follow.window) : 0;
    return look;
}

void UseLook(WindowFollow& follow, const ControlLook& look, bool isKey)
{
    UseControlMapping(follow, MapControl(follow.target, follow.control, look.now, look.dpi), !isKey);
}

// As the control's records are read, the press after them is not due yet (it keeps its recorded
// delay): the first look is taken then, so that a control that is ready costs the press nothing.
// Only where the window is known and not waited for at the press.
void LookAhead(WindowFollow& follow)
{
    follow.lookedAhead = !follow.pending && follow.window != nullptr;
    if (follow.lookedAhead) follow.ahead = LookAtControl(follow, true);
}

// The press waits until its control is ready for it, in the recording's window. A control
// names its window, so that window is waited for as a later window is, also when it was not in
// front as the pass began (a pass that is to play into another program plays at window level
// once its control records are stripped), and found again when it was closed and opened anew.
WindowStep WaitForControl(WindowFollow& follow, const InputRecord& record, PlaybackSchedule& schedule)
{
    const bool isKey = record.kind == Key;
    if (follow.lookedAhead &&
        DecideControlReadiness(follow.ahead.checks, isKey, 0, record.delay) == ControlVerdict::Ready) {
        UseLook(follow, follow.ahead, isKey);
        return WindowStep::Play;
    }
    if (follow.window == nullptr || !IsWindow(follow.window)) {
        const WindowStep found = WaitForTarget(follow, record, schedule);
        if (found != WindowStep::Play) return found;
    }
    const int64_t start = PlaybackClock();
    bool waited = false;
    for (;;) {
        const ControlLook look = LookAtControl(follow, isKey);
        const ControlVerdict verdict =
            DecideControlReadiness(look.checks, isKey, PlaybackClock() - start, record.delay);
        if (verdict == ControlVerdict::Ready) {
            if (waited) ShiftPlaybackSchedule(schedule, PlaybackClock() - start);
            UseLook(follow, look, isKey);
            return WindowStep::Play;
        }
        if (verdict != ControlVerdict::Wait) return StepOf(verdict);
        if (!PlaybackWait(WindowPollMicroseconds)) return WindowStep::Stopped;
        waited = true;
    }
}

void AppendUtf8(wchar_t* text, size_t room, const char* utf8)
{
    wchar_t wide[WindowClassBytes];
    if (MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, WindowClassBytes) <= 0) wide[0] = L'\0';
    wcsncat(text, wide, room - 1 - wcslen(text));
}

void Append(wchar_t* text, size_t room, const wchar_t* part)
{
    wcsncat(text, part, room - 1 - wcslen(text));
}

}  // namespace

void StartWindowFollow(WindowFollow& follow)
{
    std::memset(&follow, 0, sizeof follow);
    ResetWindowRecordReader(follow.reader);
    ResetControlRecordReader(follow.controlReader);
    StartControlChecks();
}

WindowStep FollowWindow(WindowFollow& follow, InputRecord& record, PlaybackSchedule& schedule)
{
    const WindowRecordStep step = ReadWindowRecord(follow.reader, record);
    if (step == WindowRecordStep::Complete) {
        follow.target = follow.reader.window;
        follow.controlPending = false;
        follow.controlMapping.active = false;
        if (follow.groupSeen) {
            follow.pending = true;
        } else {
            follow.groupSeen = true;
            OnFirstWindow(follow);
        }
        return WindowStep::Play;
    }
    if (step != WindowRecordStep::NotWindow) return WindowStep::Play;
    // A control group stands between a window group and its press: the waits are the press's.
    const ControlRecordStep controlStep = ReadControlRecord(follow.controlReader, record);
    if (controlStep == ControlRecordStep::Complete) {
        follow.control = follow.controlReader.control;
        follow.controlPending = true;
        follow.controlMapping.active = false;
        LookAhead(follow);
        return WindowStep::Play;
    }
    if (controlStep != ControlRecordStep::NotControl) return WindowStep::Play;
    if (follow.pending) {
        follow.pending = false;
        const WindowStep waited = WaitForTarget(follow, record, schedule);
        if (waited != WindowStep::Play) return waited;
    }
    if (follow.controlPending && IsPress(record)) {
        follow.controlPending = false;
        const WindowStep ready = WaitForControl(follow, record, schedule);
        if (ready != WindowStep::Play) return ready;
    }
    if (record.kind == Move) {
        follow.moveSeen = true;
        follow.moveX = record.x;
        follow.moveY = record.y;
        if (!MapControlPosition(follow.controlMapping, record.x, record.y))
            MapPosition(follow.mapping, record.x, record.y);
        follow.playedX = record.x;
        follow.playedY = record.y;
    }
    return WindowStep::Play;
}

bool TakeCursorPlacement(WindowFollow& follow, InputRecord& move)
{
    if (!follow.placeCursor) return false;
    follow.placeCursor = false;
    move = InputRecord{Move, 0, 0, 0, follow.placeX, follow.placeY};
    return true;
}

void ShowNotReadyMessage(WindowStep step, const WindowFollow& follow)
{
    // Put together without the runtime's formatting (it would cost 28 KB).
    constexpr size_t Room = 1600;
    wchar_t text[Room];
    text[0] = L'\0';
    switch (step) {
    case WindowStep::SessionLocked: MessageDialog(MessageTitle, SessionLockedError, StyleError); return;
    case WindowStep::WindowMissing: Append(text, Room, WindowMissingErrorStart); break;
    case WindowStep::ControlMissing: Append(text, Room, ControlNotReadyErrorStart); break;
    case WindowStep::NotAnswering: Append(text, Room, NotAnsweringErrorStart); break;
    case WindowStep::HigherRights: Append(text, Room, HigherRightsErrorStart); break;
    case WindowStep::Play:
    case WindowStep::Stopped: return;
    }
    AppendUtf8(text, Room, follow.target.program);
    Append(text, Room, WindowMissingErrorClass);
    AppendUtf8(text, Room, follow.target.windowClass);
    if (step == WindowStep::ControlMissing) {
        Append(text, Room, ControlNotReadyErrorControl);
        AppendUtf8(text, Room, follow.control.controlClass);
    }
    Append(text, Room, WindowMissingErrorEnd);
    MessageDialog(MessageTitle, text, StyleError);
}
