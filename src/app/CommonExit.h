// The one way out of the program.
#pragma once

// Closes thread handles, removes the tray icon, unloads the modules, destroys the windows and
// the icons, and ends the process with exit code 0.
[[noreturn]] void CommonExit();
