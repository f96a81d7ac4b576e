// STUB
#include "app/CommonExit.h"
#include <windows.h>
void CommonExit() { ExitProcess(0); }
