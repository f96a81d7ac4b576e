// Naming a finished recording: asks for a name until the recording is named or deleted.
#pragma once

void SaveRecording();
