// Waiting for a recording's windows and placing its clicks where they stand now (see
// WindowFollow.h). The wait looks every 10 ms, each look a PlaybackWait that a stop ends at
// once, so it never spins and never outlasts F9, a close request or the session's end.
#include "playback/WindowFollow.h"

#include <windows.h>

#include <cstring>

#include "core/UserTexts.h"
#include "core/WindowIdentityRead.h"
#include "playback/Injection.h"
#include "recording/ControlRecords.h"
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

// A window of the target's identity where the record needs it, and where it stands now.
bool FindTarget(const WindowFollow& follow, const InputRecord& record, WindowIdentity& now)
{
    if (record.kind == Key) {
        const HWND front = GetForegroundWindow();
        return front != nullptr && MatchesTarget(front, follow.target, now);
    }
    Search search{&follow, IsPress(record), nullptr, {}};
    EnumWindows(LookAtWindow, reinterpret_cast<LPARAM>(&search));
    now = search.now;
    return search.found != nullptr;
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
    if (front != nullptr && MatchesTarget(front, follow.target, now))
        UseMapping(follow, MapWindow(follow.target, now));
    else
        follow.mapping.active = false;
}

WindowStep WaitForTarget(WindowFollow& follow, const InputRecord& record, PlaybackSchedule& schedule)
{
    const int64_t start = PlaybackClock();
    const int64_t limit = WindowWaitLimitMicroseconds(record.delay);
    WindowIdentity now;
    bool waited = false;
    while (!FindTarget(follow, record, now)) {
        if (PlaybackClock() - start >= limit) return WindowStep::WindowMissing;
        if (!PlaybackWait(WindowPollMicroseconds)) return WindowStep::Stopped;
        waited = true;
    }
    if (waited) ShiftPlaybackSchedule(schedule, PlaybackClock() - start);
    UseMapping(follow, MapWindow(follow.target, now));
    return WindowStep::Play;
}

}  // namespace

void StartWindowFollow(WindowFollow& follow)
{
    std::memset(&follow, 0, sizeof follow);
    ResetWindowRecordReader(follow.reader);
}

WindowStep FollowWindow(WindowFollow& follow, InputRecord& record, PlaybackSchedule& schedule)
{
    const WindowRecordStep step = ReadWindowRecord(follow.reader, record);
    if (step == WindowRecordStep::Complete) {
        follow.target = follow.reader.window;
        if (follow.groupSeen) {
            follow.pending = true;
        } else {
            follow.groupSeen = true;
            OnFirstWindow(follow);
        }
        return WindowStep::Play;
    }
    if (step != WindowRecordStep::NotWindow) return WindowStep::Play;
    // A control group stands between a window group and its press: the wait is the press's.
    if (IsControlRecordKind(record.kind)) return WindowStep::Play;
    if (follow.pending) {
        follow.pending = false;
        const WindowStep waited = WaitForTarget(follow, record, schedule);
        if (waited != WindowStep::Play) return waited;
    }
    if (record.kind == Move) {
        follow.moveSeen = true;
        follow.moveX = record.x;
        follow.moveY = record.y;
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

void ShowWindowMissingMessage(const WindowIdentity& window)
{
    wchar_t program[WindowProgramBytes];
    wchar_t windowClass[WindowClassBytes];
    if (MultiByteToWideChar(CP_UTF8, 0, window.program, -1, program, WindowProgramBytes) <= 0) program[0] = L'\0';
    if (MultiByteToWideChar(CP_UTF8, 0, window.windowClass, -1, windowClass, WindowClassBytes) <= 0)
        windowClass[0] = L'\0';
    // Put together without the runtime's formatting (it would cost 28 KB).
    wchar_t text[1024];
    text[0] = L'\0';
    const wchar_t* parts[] = {WindowMissingErrorStart, program, WindowMissingErrorClass, windowClass,
                              WindowMissingErrorEnd};
    for (const wchar_t* part : parts) wcsncat(text, part, 1023 - wcslen(text));
    MessageDialog(MessageTitle, text, StyleError);
}
