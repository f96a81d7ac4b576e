// Storage of the program-wide playback settings.
#include "core/Settings.h"

int32_t gSpeedDivisor = 1;
int32_t gRepeatCount = 0;
int32_t gQuitAfterPlayback = 0;
std::wstring gPlaybackPath;
