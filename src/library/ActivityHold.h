// Keeps F9 from starting a recording while a dialog of the library is open: the save flow
// that a stopped recording opens must not run inside the rename dialog.
#pragma once

// Sets the Activity state to Busy if it is Idle; true when it did.
bool HoldActivityBusy();
// Gives back Idle after a successful HoldActivityBusy (held true); nothing otherwise.
void ReleaseActivityBusy(bool held);
