// The program's one playback mark; see PlaybackMark.h.
#include "core/PlaybackMark.h"

PlaybackMark gPlaybackMark = {};
