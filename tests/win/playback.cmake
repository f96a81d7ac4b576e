# The playback worker with fake injection and fake timing.
tandrel_win_test(win_playback_worker
  SOURCES PlaybackWorkerTest.cpp PlaybackFakeTiming.cpp PlaybackFakeInjection.cpp
  WITHOUT playback_injection playback_timing)
# The real injection into a window of the test's own, with fake timing.
tandrel_win_test(win_playback_real_injection
  SOURCES PlaybackRealInjectionTest.cpp PlaybackFakeTiming.cpp
  WITHOUT playback_timing)
# The real timing (wait, clock, thread preparation).
tandrel_win_test(win_playback_timing SOURCES PlaybackTimingTest.cpp)
