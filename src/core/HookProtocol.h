// What the program and the two hook modules must agree on, and nothing else: the number of
// the message by which a module reports one input event. Included by the program, by both
// hook modules and by the tests; it needs no platform header.
#pragma once

// One input event reported by a hook module: wParam the input message, lParam per kind.
constexpr unsigned HookEventMessage = 0x0400 + 750;  // WM_USER + 750 = 1774
