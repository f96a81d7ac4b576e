# The recorder and the save flow under Wine, with a scripted clock and scripted dialogs in
# place of every other part of the program.
set(recordingTestFakes ${TEST_SUPPORT}/FakeUi.cpp ${TEST_SUPPORT}/FakeClock.cpp ${TEST_SUPPORT}/TempWorkingFolder.cpp
    ${TEST_SUPPORT}/FileHelpers.cpp)
tandrel_win_test(win_recorder_file SOURCES RecorderFileTest.cpp ${recordingTestFakes}
  ONLY recording_win recording_file_write_win library_win)
tandrel_win_test(win_save_flow SOURCES SaveFlowTest.cpp ${recordingTestFakes}
  ONLY recording_win recording_file_write_win library_win)

# The save flow with the real dialogs (the user-interface objects), answered from a thread.
tandrel_win_test(win_save_flow_real_dialogs
  SOURCES SaveFlowRealDialogsTest.cpp ${TEST_SUPPORT}/DialogDriver.cpp ${TEST_SUPPORT}/WindowHelpers.cpp
          ${TEST_SUPPORT}/TempWorkingFolder.cpp ${TEST_SUPPORT}/FileHelpers.cpp
          ${PROJECT_SOURCE_DIR}/src/ui/Tandrel.rc
  ONLY recording_win recording_file_write_win library_win core_clock_win ui_win)

# What the recorder keeps: a short write (a write of its own in place of the real one), the
# writes at least once a second, and the leftover of an earlier recording.
tandrel_win_test(win_recorder_keeps SOURCES RecorderKeepsTest.cpp ${recordingTestFakes}
  ONLY recording_win library_win)
