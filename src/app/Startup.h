// The program from start-up to exit.
#pragma once
#include <windows.h>

// The decoded status icons, written by the first start-up step, destroyed by the common exit.
// Read by MainWindowCallback, the Play button and the unattended start on the main thread.
extern HICON gIdleIcon;
extern HICON gActiveIcon;

// Runs start-up, the event loop and shutdown; ends the process with exit code 0.
[[noreturn]] void RunProgram();
