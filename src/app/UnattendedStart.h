// The start of unattended mode: the recording named on the command line is played at once,
// and the program ends after it.
#pragma once

// Start-up's last step before the event loop when a recording was named. Starts the worker
// (which asks the window to close when it is done); ends the program with an error message
// when the recording is missing or the worker cannot be started, rather than leaving a
// process without a window that nothing ends.
void StartUnattendedPlayback();
