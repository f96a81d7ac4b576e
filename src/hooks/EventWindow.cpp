// The window of each press and wheel turn, noted on the hook thread (see EventWindow.h).
#include "hooks/EventWindow.h"

#include <windows.h>

#include <atomic>
#include <cstring>

#include "core/Messages.h"
#include "core/WindowIdentityRead.h"

namespace {

// Identities noted and not yet read by the main thread. A main thread that falls this many
// changes of window behind reads the identity from the window itself.
constexpr uint32_t WindowNoteSlots = 64;
// Windows whose program's name is kept: opening a process and asking its image's name is the
// slow part, and a user goes back and forth among a few windows.
constexpr uint32_t ProgramNameCacheSize = 16;

struct WindowNote {
    std::atomic<uint32_t> serial;  // the note's number, 0 while the hook thread writes it
    WindowIdentity identity;
};

struct ProgramName {
    HWND window;
    DWORD processId;
    char program[WindowProgramBytes];
};

// The noted identities, slot = serial % WindowNoteSlots. Written by the hook thread
// (NoteEventWindow); read by the main thread (ReadHookEventWindow), which checks the serial
// before and after it copies one.
WindowNote gWindowNotes[WindowNoteSlots];
// Hook thread only: the last press's window, its rectangle and serial, the last serial given,
// the last move's position, and the program names of recent windows (round robin).
HWND gLastWindow = nullptr;
WindowIdentity gLastRectangle = {};
uint32_t gLastSerial = 0;
uint32_t gSerialCount = 0;
POINT gLastMove = {0, 0};
bool gMoveSeen = false;
ProgramName gProgramNames[ProgramNameCacheSize];
uint32_t gNextProgramName = 0;

bool IsPressOrWheel(uint32_t message)
{
    switch (message) {
    case KeyDownMessage:
    case SysKeyDownMessage:
    case LeftButtonDownMessage:
    case RightButtonDownMessage:
    case MiddleButtonDownMessage:
    case XButtonDownMessage:
    case MouseWheelMessage:
    case MouseHorizontalWheelMessage: return true;
    default: return false;
    }
}

HWND WindowOfEvent(uint32_t message)
{
    if (message == KeyDownMessage || message == SysKeyDownMessage) return GetForegroundWindow();
    POINT at = gLastMove;
    if (!gMoveSeen && !GetCursorPos(&at)) return nullptr;
    const HWND under = WindowFromPoint(at);
    return under != nullptr ? GetAncestor(under, GA_ROOT) : nullptr;
}

void ReadProgramCached(HWND window, WindowIdentity& identity)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    for (const ProgramName& known : gProgramNames) {
        if (known.window == window && known.processId == processId) {
            std::memcpy(identity.program, known.program, sizeof identity.program);
            return;
        }
    }
    ReadWindowProgram(window, identity);
    ProgramName& slot = gProgramNames[gNextProgramName++ % ProgramNameCacheSize];
    slot.window = window;
    slot.processId = processId;
    std::memcpy(slot.program, identity.program, sizeof slot.program);
}

void WriteNote(uint32_t serial, HWND window, const WindowIdentity& rectangle)
{
    WindowNote& note = gWindowNotes[serial % WindowNoteSlots];
    note.serial.store(0, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    note.identity = rectangle;
    ReadWindowClass(window, note.identity);
    ReadProgramCached(window, note.identity);
    note.serial.store(serial, std::memory_order_release);
}

bool SameRectangle(const WindowIdentity& a, const WindowIdentity& b)
{
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

}  // namespace

void ForgetLastMove()
{
    gMoveSeen = false;
}

void NoteEventWindow(HookEvent& event)
{
    if (event.message == MouseMoveMessage) {
        gLastMove = {event.x, event.y};
        gMoveSeen = true;
        return;
    }
    if (!IsPressOrWheel(event.message)) return;
    const HWND window = WindowOfEvent(event.message);
    WindowIdentity rectangle = {};
    if (window == nullptr || !ReadWindowRectangle(window, rectangle)) return;
    // A window that moved or changed its size is noted again, so its records hold where it is.
    if (window != gLastWindow || !SameRectangle(rectangle, gLastRectangle)) {
        if (++gSerialCount == 0) ++gSerialCount;  // 0 means no window
        WriteNote(gSerialCount, window, rectangle);
        gLastWindow = window;
        gLastRectangle = rectangle;
        gLastSerial = gSerialCount;
    }
    event.window = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
    event.windowSerial = gLastSerial;
}

bool ReadHookEventWindow(const HookEvent& event, WindowIdentity& identity)
{
    if (event.windowSerial == 0) return false;
    const WindowNote& note = gWindowNotes[event.windowSerial % WindowNoteSlots];
    if (note.serial.load(std::memory_order_acquire) == event.windowSerial) {
        identity = note.identity;
        std::atomic_thread_fence(std::memory_order_acquire);
        if (note.serial.load(std::memory_order_relaxed) == event.windowSerial) return true;
    }
    // Overwritten since: the window itself, as it is now.
    const auto window = reinterpret_cast<HWND>(static_cast<uintptr_t>(event.window));
    identity = {};
    if (!ReadWindowRectangle(window, identity)) return false;
    ReadWindowClass(window, identity);
    ReadWindowProgram(window, identity);
    return true;
}
