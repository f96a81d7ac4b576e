// What the window callback calls besides its test's own fakes: nothing left over to keep, and
// the flush timer's write always succeeds.
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
