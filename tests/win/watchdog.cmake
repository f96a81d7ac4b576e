# The hook thread's watchdog: with the built modules (TANDREL_DIST_DIR), a hook removed behind
# its back comes back, reported input and a playback's cursor placements bring nothing back,
# resume and unlock do; against scripted install results, a failed re-install is tried again.
tandrel_win_test(win_hook_watchdog SOURCES HookWatchdogTest.cpp ${TEST_SUPPORT}/WinePaths.cpp ${TEST_SUPPORT}/WindowHelpers.cpp
  ${TEST_SUPPORT}/ReceiverThread.cpp ONLY hooks_win core_clock_win)
tandrel_win_test(win_hook_watchdog_retry NO_OBJECTS
  SOURCES HookWatchdogRetryTest.cpp ${HOOK_THREAD_SOURCES})
if(WIN32)
  set_tests_properties(win_hook_watchdog PROPERTIES TIMEOUT 120)
endif()
