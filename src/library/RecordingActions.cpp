// STUB: replaced by the library work.
#include "library/RecordingActions.h"
void RenameRecording() {}
void RemoveRecording() {}
