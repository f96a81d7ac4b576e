// The Rename button.
#pragma once

// Asks for a new name for the selected recording until it is acceptable, then renames its file.
void RenameRecording();
