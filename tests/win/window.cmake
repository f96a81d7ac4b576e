# The worker's wait for a recording's window: the real worker and real windows, fake injection
# and timing.
tandrel_win_test(win_window_wait
  SOURCES WindowWaitTest.cpp ${TEST_SUPPORT}/PlaybackFakes.cpp ${TEST_SUPPORT}/PlaybackFakeTiming.cpp
          ${TEST_SUPPORT}/PlaybackFakeInjection.cpp ${TEST_SUPPORT}/RecordingBytes.cpp
          ${TEST_SUPPORT}/DialogDriver.cpp ${TEST_SUPPORT}/WindowHelpers.cpp ${TEST_SUPPORT}/TempWorkingFolder.cpp ${TEST_SUPPORT}/FileHelpers.cpp
  ONLY playback_win ui_win)
# The worker's wait for a press's control: the real worker, the real checks and a form of the
# test's own, fake injection and timing.
tandrel_win_test(win_control_wait
  SOURCES ControlWaitTest.cpp ${TEST_SUPPORT}/PlaybackFakes.cpp ${TEST_SUPPORT}/PlaybackFakeTiming.cpp
          ${TEST_SUPPORT}/PlaybackFakeInjection.cpp ${TEST_SUPPORT}/RecordingBytes.cpp
          ${TEST_SUPPORT}/DialogDriver.cpp ${TEST_SUPPORT}/WindowHelpers.cpp ${TEST_SUPPORT}/TempWorkingFolder.cpp ${TEST_SUPPORT}/FileHelpers.cpp
  ONLY playback_win ui_win)
