// The event loop of the main thread: the three buttons and the close request.
#pragma once

// Returns when the main window is asked to close.
void RunEventLoop();
