// What the window callback calls besides the plain notifications' path, for its Win test,
// which posts plain notifications only: no timed event waits, nothing left over to keep, and
// the flush timer's write always succeeds.
#include "hooks/EventWindow.h"
#include "hooks/HookThread.h"
#include "library/LeftoverRecording.h"
#include "recording/Recorder.h"

bool TakeHookEvent(HookEvent&)
{
    return false;
}
bool RecordHookEventAt(const HookEvent&)
{
    return true;
}
void SetReferenceTime(uint32_t)
{}
bool FlushRecording()
{
    return true;
}
bool KeepLeftoverRecording()
{
    return true;
}
bool ReadHookEventWindow(const HookEvent&, WindowIdentity&)
{
    return false;
}
bool RecordEventWindow(uint32_t, const WindowIdentity&)
{
    return true;
}
