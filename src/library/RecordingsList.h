// The recordings list of the main window, filled from the Records folder.
#pragma once

// Empties the recordings list of the main window and fills it from Records\*.rec.
void RefreshRecordingsList();
