// Fake injection for the pure playback tests: every call is written down as a short text.
#pragma once
#include <string>
#include <vector>

extern std::vector<std::string> gInjected;
