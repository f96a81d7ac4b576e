// STUB
#include "app/Startup.h"
#include "app/CommonExit.h"
HICON gIdleIcon = nullptr;
HICON gActiveIcon = nullptr;
void RunProgram() { CommonExit(); }
