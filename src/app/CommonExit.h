// The one way out of the program.
#pragma once

// Stops a playback (which releases what it holds), writes the end line of an unattended run,
// closes thread handles, removes the tray icon, takes down the hooks and unloads their
// modules, destroys the windows and the icons, writes out a recording still open, and ends the
// process with exit code 0.
[[noreturn]] void CommonExit();
