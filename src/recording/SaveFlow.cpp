// STUB: replaced by the recording work.
#include "recording/SaveFlow.h"
void SaveRecording() {}
