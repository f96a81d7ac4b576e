# A stop that takes effect at once: the real waits and the real worker with fake injection;
# the hooks on a thread of their own; unattended mode without a worker.
tandrel_win_test(win_playback_stop
  SOURCES PlaybackStopTest.cpp ${TEST_SUPPORT}/PlaybackFakes.cpp ${TEST_SUPPORT}/PlaybackFakeInjection.cpp
          ${TEST_SUPPORT}/RecordingBytes.cpp ${TEST_SUPPORT}/TempWorkingFolder.cpp ${TEST_SUPPORT}/FileHelpers.cpp
  ONLY playback_win playback_timing ui_win)
# The hooks on their own thread, with the built modules (TANDREL_DIST_DIR).
tandrel_win_test(win_hook_thread SOURCES HookThreadTest.cpp ${TEST_SUPPORT}/WinePaths.cpp ${TEST_SUPPORT}/WindowHelpers.cpp
  ONLY hooks_win core_clock_win)
# Unattended mode's start against fakes of everything it calls.
tandrel_win_test(win_unattended_start NO_OBJECTS
  SOURCES UnattendedStartTest.cpp ${PROJECT_SOURCE_DIR}/src/app/UnattendedStart.cpp
          ${PROJECT_SOURCE_DIR}/src/app/LeaveWithError.cpp)
