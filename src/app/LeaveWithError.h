// The way out of start-up and of the unattended start when something it needs is missing.
#pragma once
#include "app/RunLogLine.h"

// Notes the run's end for the run log, takes the hooks down, shows the error and leaves
// through the common exit.
[[noreturn]] void LeaveWithError(const wchar_t* text, RunEnd end);
