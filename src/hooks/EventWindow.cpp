// The window of each press and wheel turn, noted on the hook thread (see EventWindow.h).
#include "hooks/EventWindow.h"

#include <windows.h>

#include <atomic>
#include <cstring>

#include "core/ControlIdentityRead.h"
#include "core/Messages.h"
#include "core/WindowIdentityRead.h"

namespace {

// Identities noted and not yet read by the main thread. A main thread that falls this many
// changes of window behind reads the identity from the window itself.
constexpr uint32_t WindowNoteSlots = 64;
// Windows whose program's name is kept: opening a process and asking its image's name is the
// slow part, and a user goes back and forth among a few windows.
constexpr uint32_t ProgramNameCacheSize = 16;
// Controls whose identity is kept: counting a control's siblings costs a call for each of them,
// and a user goes back and forth among the few fields of a form.
constexpr uint32_t KnownControlCacheSize = 16;

struct WindowNote {
    std::atomic<uint32_t> serial;  // the note's number, 0 while the hook thread writes it
    WindowIdentity identity;
};

struct ControlNote {
    std::atomic<uint32_t> serial;  // as WindowNote's
    ControlIdentity identity;
};

// A control's identity as last read, for that control in that window at that rectangle.
struct KnownControl {
    HWND control;
    HWND window;
    ControlIdentity identity;
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
// The noted identities of controls, slot = serial % WindowNoteSlots, written and read as
// gWindowNotes are.
ControlNote gControlNotes[WindowNoteSlots];
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
// Hook thread only: the last control a press went to, its rectangle in its window and serial,
// and the last control serial given.
HWND gLastControl = nullptr;
ControlIdentity gLastControlRectangle = {};
uint32_t gLastControlSerial = 0;
uint32_t gControlSerialCount = 0;
// Hook thread only: the identities of recent controls (round robin).
KnownControl gKnownControls[KnownControlCacheSize];
uint32_t gNextKnownControl = 0;

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

bool IsKeyPress(uint32_t message)
{
    return message == KeyDownMessage || message == SysKeyDownMessage;
}

// The window of the event; `under` becomes the window the system's hit test found at a button's
// or wheel's point (the deepest visible, enabled child there, or the top-level window itself).
HWND WindowOfEvent(uint32_t message, HWND& under)
{
    under = nullptr;
    if (IsKeyPress(message)) return GetForegroundWindow();
    POINT at = gLastMove;
    if (!gMoveSeen && !GetCursorPos(&at)) return nullptr;
    under = WindowFromPoint(at);
    return under != nullptr ? GetAncestor(under, GA_ROOT) : nullptr;
}

// The control of a press into `window`: for a key the window with the keyboard focus in the
// window's thread, for a button or the wheel the child the pointer is over; none when that is
// the window itself or lies outside it.
HWND ControlOfEvent(uint32_t message, HWND window, HWND under)
{
    HWND control = under;
    if (IsKeyPress(message)) {
        GUITHREADINFO thread = {};
        thread.cbSize = sizeof thread;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread)) return nullptr;
        control = thread.hwndFocus;
    }
    if (control == nullptr || control == window || !IsChild(window, control)) return nullptr;
    return control;
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

template <typename Identity>
bool SameRectangle(const Identity& a, const Identity& b)
{
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

// The rest of the identity of a control whose rectangle `identity` holds: as read before if the
// same control stood there in the same window, else from the system.
void ReadControlCached(HWND control, HWND window, ControlIdentity& identity)
{
    for (const KnownControl& known : gKnownControls) {
        if (known.control == control && known.window == window && SameRectangle(known.identity, identity)) {
            identity = known.identity;
            return;
        }
    }
    ReadControlNames(control, window, identity);
    gKnownControls[gNextKnownControl++ % KnownControlCacheSize] = {control, window, identity};
}

void WriteControlNote(uint32_t serial, HWND control, HWND window, const ControlIdentity& rectangle)
{
    ControlNote& note = gControlNotes[serial % WindowNoteSlots];
    note.serial.store(0, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    note.identity = rectangle;
    ReadControlCached(control, window, note.identity);
    note.serial.store(serial, std::memory_order_release);
}

// The press's control, noted again only when it is another or moved within its window: most
// presses cost a hit test the window needed anyway (or one GetGUIThreadInfo) and a rectangle;
// a control not among the recent ones also its class, siblings and DPI.
void NoteEventControl(HookEvent& event, HWND window, HWND under, const WindowIdentity& windowRectangle)
{
    const HWND control = ControlOfEvent(event.message, window, under);
    ControlIdentity rectangle = {};
    if (control == nullptr || !ReadControlRectangle(control, windowRectangle, rectangle)) return;
    if (control != gLastControl || !SameRectangle(rectangle, gLastControlRectangle)) {
        if (++gControlSerialCount == 0) ++gControlSerialCount;  // 0 means no control
        WriteControlNote(gControlSerialCount, control, window, rectangle);
        gLastControl = control;
        gLastControlRectangle = rectangle;
        gLastControlSerial = gControlSerialCount;
    }
    event.control = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(control));
    event.controlSerial = gLastControlSerial;
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
    HWND under = nullptr;
    const HWND window = WindowOfEvent(event.message, under);
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
    NoteEventControl(event, window, under, rectangle);
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

bool ReadHookEventControl(const HookEvent& event, ControlIdentity& identity)
{
    if (event.controlSerial == 0) return false;
    const ControlNote& note = gControlNotes[event.controlSerial % WindowNoteSlots];
    if (note.serial.load(std::memory_order_acquire) == event.controlSerial) {
        identity = note.identity;
        std::atomic_thread_fence(std::memory_order_acquire);
        if (note.serial.load(std::memory_order_relaxed) == event.controlSerial) return true;
    }
    // Overwritten since: the control itself, in its window as they are now.
    const auto control = reinterpret_cast<HWND>(static_cast<uintptr_t>(event.control));
    const auto window = reinterpret_cast<HWND>(static_cast<uintptr_t>(event.window));
    WindowIdentity windowRectangle = {};
    identity = {};
    if (!ReadWindowRectangle(window, windowRectangle) || !ReadControlRectangle(control, windowRectangle, identity))
        return false;
    ReadControlNames(control, window, identity);
    return true;
}
