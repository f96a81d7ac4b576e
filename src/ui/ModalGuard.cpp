// The modal guard around the program's dialogs (see ModalGuard.h). The windows lose their
// always-on-top state too, so that the topmost main window cannot cover the dialog.
#include <vector>

#include "ui/ModalGuard.h"

namespace {

struct GuardRecord {
    DWORD thread;
    HWND window;
    bool wasTopmost;
    bool disabledByGuard;
    int level;  // which of the thread's nested guards made the record
};

// The records of every thread with an open guarded dialog. Each thread adds and removes only
// its own records (BeginModal, EndModal); the lock keeps the list itself whole should a worker's
// message box and a main-thread dialog ever meet.
std::vector<GuardRecord> gGuardRecords;
SRWLOCK gGuardLock = SRWLOCK_INIT;

// How many guards each thread has open (threads with none are not listed). A message box
// opened from a window callback inside an input dialog nests a guard; its EndModal must leave
// the outer guard's records, or the main window would never get its always-on-top state back.
// Each thread changes only its own entry, under gGuardLock.
struct ThreadGuardLevel {
    DWORD thread;
    int level;
};
std::vector<ThreadGuardLevel> gGuardLevels;

// Changes the calling thread's guard level by delta (never below 0) and returns the level
// before the change. Called under gGuardLock.
int ChangeGuardLevel(int delta)
{
    const DWORD thread = GetCurrentThreadId();
    for (auto it = gGuardLevels.begin(); it != gGuardLevels.end(); ++it) {
        if (it->thread != thread) continue;
        const int before = it->level;
        it->level = before + delta > 0 ? before + delta : 0;
        if (it->level == 0) gGuardLevels.erase(it);
        return before;
    }
    if (delta > 0) gGuardLevels.push_back({thread, delta});
    return 0;
}

struct Enumeration {
    HWND foreground;
    int level;  // the guard that is being opened
    std::vector<GuardRecord> records;
};

BOOL CALLBACK GuardWindow(HWND window, LPARAM context)
{
    auto& e = *reinterpret_cast<Enumeration*>(context);
    if (GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId() || !IsWindowVisible(window)) return TRUE;
    GuardRecord record{GetCurrentThreadId(), window, (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0,
                       false, e.level};
    // The foreground window stays enabled: the dialog will be owned by it, which disables it.
    if (window != e.foreground && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        record.disabledByGuard = true;
    }
    e.records.push_back(record);
    return TRUE;
}

// SWP_NOACTIVATE: un-topping and re-topping a window must not move the focus; the system
// activates the dialog's owner by itself when the dialog closes.
void SetTopmost(HWND window, bool topmost)
{
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

HWND DialogOwner()
{
    const HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    if (foreground != nullptr) GetWindowThreadProcessId(foreground, &process);
    return process == GetCurrentProcessId() ? foreground : nullptr;
}

void BeginModal()
{
    AcquireSRWLockExclusive(&gGuardLock);
    const int level = ChangeGuardLevel(+1) + 1;
    ReleaseSRWLockExclusive(&gGuardLock);
    Enumeration e{GetForegroundWindow(), level, {}};
    EnumWindows(GuardWindow, reinterpret_cast<LPARAM>(&e));
    for (const GuardRecord& r : e.records)
        if (r.wasTopmost) SetTopmost(r.window, false);
    AcquireSRWLockExclusive(&gGuardLock);
    gGuardRecords.insert(gGuardRecords.end(), e.records.begin(), e.records.end());
    ReleaseSRWLockExclusive(&gGuardLock);
}

void EndModal()
{
    const DWORD thread = GetCurrentThreadId();
    std::vector<GuardRecord> mine;
    AcquireSRWLockExclusive(&gGuardLock);
    const int level = ChangeGuardLevel(-1);
    for (auto it = gGuardRecords.begin(); it != gGuardRecords.end();) {
        if (it->thread == thread && it->level == level) {
            mine.push_back(*it);
            it = gGuardRecords.erase(it);
        } else {
            ++it;
        }
    }
    ReleaseSRWLockExclusive(&gGuardLock);
    // The window calls run outside the lock: they send messages, which may run other code.
    for (const GuardRecord& r : mine) {
        if (r.disabledByGuard) EnableWindow(r.window, TRUE);
        if (r.wasTopmost) SetTopmost(r.window, true);
    }
}
