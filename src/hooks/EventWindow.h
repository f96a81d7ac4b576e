// The window each press and wheel turn goes to, read on the hook thread where the event is
// timed: the foreground window for a key, the top-level window under the pointer for a button
// or the wheel (a click often activates a window that was not in front yet). Its identity is
// read only when the window (or its rectangle) is another than the last press's, the program's
// name at most once per window handle, so the hook thread stays as quick as before. The same
// for the control inside it: the child window with the keyboard focus for a key, the child the
// system's hit test finds at the point for a button or the wheel (the window the click goes
// to), its identity read only when the control or its rectangle in the window changed.
#pragma once
#include "core/ControlIdentity.h"
#include "core/HookEvent.h"
#include "core/WindowIdentity.h"

// Hook thread, for every event before it goes into the ring: a move's position is noted; a
// press or wheel turn gets its window's handle and serial number, and its control's if it
// went to one.
void NoteEventWindow(HookEvent& event);

// Hook thread, whenever the hooks have just been installed (again): the last move the mouse hook
// reported may be long gone (a playback's cursor placements, a hook the system had dropped), so
// the next button's window is looked up at the cursor's position until a move is reported.
void ForgetLastMove();

// Main thread: the identity noted for the event's window (false when the event has none). Should
// the hook thread have noted so many windows since that the note is gone, it is read afresh from
// the window's handle.
bool ReadHookEventWindow(const HookEvent& event, WindowIdentity& identity);

// Main thread: the identity noted for the event's control (false when the event has none), read
// afresh from the control's handle as above when the note is gone.
bool ReadHookEventControl(const HookEvent& event, ControlIdentity& identity);
