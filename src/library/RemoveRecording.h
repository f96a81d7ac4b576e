// The Remove button.
#pragma once

// Asks once, then deletes the selected recording's file.
void RemoveRecording();
