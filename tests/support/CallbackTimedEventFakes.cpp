// What the window callback calls besides its test's own fakes: nothing left over to keep, and
// the flush timer's write always succeeds.
#include "hooks/EventWindow.h"
#include "hooks/HookThread.h"
#include "library/LeftoverRecording.h"
#include "recording/Recorder.h"

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
bool ReadHookEventControl(const HookEvent&, ControlIdentity&)
{
    return false;
}
bool RecordEventControl(uint32_t, const ControlIdentity&)
{
    return true;
}
