# The playback worker with fake injection and fake timing.
tandrel_win_test(win_playback_worker
  SOURCES PlaybackWorkerTest.cpp ${TEST_SUPPORT}/PlaybackFakes.cpp ${TEST_SUPPORT}/PlaybackFakeTiming.cpp
          ${TEST_SUPPORT}/PlaybackFakeInjection.cpp ${TEST_SUPPORT}/RecordingBytes.cpp
          ${TEST_SUPPORT}/DialogDriver.cpp ${TEST_SUPPORT}/WindowHelpers.cpp
          ${TEST_SUPPORT}/TempWorkingFolder.cpp ${TEST_SUPPORT}/FileHelpers.cpp
  WITHOUT playback_injection playback_timing)
# The real injection into a window of the test's own, with fake timing.
tandrel_win_test(win_playback_real_injection
  SOURCES PlaybackRealInjectionTest.cpp ${TEST_SUPPORT}/PlaybackFakes.cpp ${TEST_SUPPORT}/PlaybackFakeTiming.cpp
          ${TEST_SUPPORT}/RecordingBytes.cpp ${TEST_SUPPORT}/WindowHelpers.cpp
          ${TEST_SUPPORT}/TempWorkingFolder.cpp ${TEST_SUPPORT}/FileHelpers.cpp
  WITHOUT playback_timing)
# The real timing (wait, clock, thread preparation).
tandrel_win_test(win_playback_timing SOURCES PlaybackTimingTest.cpp)
# The exit and the cancel against a worker stuck in an injection: the real worker and waits,
# fake injection that blocks.
tandrel_win_test(win_playback_exit
  SOURCES PlaybackExitTest.cpp ${TEST_SUPPORT}/PlaybackFakes.cpp ${TEST_SUPPORT}/PlaybackFakeInjection.cpp
          ${TEST_SUPPORT}/RecordingBytes.cpp ${TEST_SUPPORT}/TempWorkingFolder.cpp ${TEST_SUPPORT}/FileHelpers.cpp
  ONLY playback_win playback_timing ui_win)
# The playback's own injection (the real Injection.cpp) against the built hook modules.
tandrel_win_test(win_own_injected_input
  SOURCES OwnInjectedInputTest.cpp ${TEST_SUPPORT}/WinePaths.cpp ${TEST_SUPPORT}/WindowHelpers.cpp
          ${PROJECT_SOURCE_DIR}/src/playback/InjectionMark.cpp
  ONLY playback_injection hooks_win)
