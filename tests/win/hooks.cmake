# The hook modules through src/hooks under Wine: loading, export tables, and the events that
# injected input produces. Both load the built modules from the dist folder (TANDREL_DIST_DIR).
tandrel_win_test(win_hook_modules
  SOURCES HookModulesTest.cpp ${TEST_SUPPORT}/WinePaths.cpp ${TEST_SUPPORT}/TempWorkingFolder.cpp)
tandrel_win_test(win_hook_events SOURCES HookEventsTest.cpp ${TEST_SUPPORT}/WinePaths.cpp ${TEST_SUPPORT}/WindowHelpers.cpp)
# The hook thread with the built modules and the real recorder: delays from when the input
# happened, messages from outside, and input the hooks see but do not report.
tandrel_win_test(win_hook_thread_events
  SOURCES HookThreadEventsTest.cpp ${TEST_SUPPORT}/WinePaths.cpp ${TEST_SUPPORT}/WindowHelpers.cpp
          ${TEST_SUPPORT}/ReceiverThread.cpp ${TEST_SUPPORT}/TempWorkingFolder.cpp ${TEST_SUPPORT}/FileHelpers.cpp
  ONLY hooks_win core_clock_win recording_win recording_file_write_win library_win)
# A full ring of events: the real hook thread built with a ring of 16, against install
# functions of the test's own.
tandrel_win_test(win_hook_events_lost NO_OBJECTS
  SOURCES HookEventsLostTest.cpp ${HOOK_THREAD_SOURCES} ${TEST_SUPPORT}/WindowHelpers.cpp)
if(TARGET win_hook_events_lost)
  target_compile_definitions(win_hook_events_lost PRIVATE TANDREL_HOOK_EVENT_SLOTS=16)
endif()
