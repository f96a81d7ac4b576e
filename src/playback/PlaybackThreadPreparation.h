// The worker thread's preparation before its first wait (PlaybackThreadPreparation.cpp); the
// preparation itself, PreparePlaybackThread, is part of the seam in Injection.h.
#pragma once

// Raises the system timer's resolution to 1 ms, the first time only; it is never lowered.
// Worker thread (the preparation, and a wait that falls back to Sleep).
void RaiseTimerResolutionOnce();
