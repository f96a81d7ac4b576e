// The Rename and Remove buttons.
#pragma once

void RenameRecording();
void RemoveRecording();
