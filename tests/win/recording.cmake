# The recorder and the save flow under Wine, with a scripted clock and scripted dialogs in
# place of every other part of the program.
include(${CMAKE_CURRENT_LIST_DIR}/file-flows.cmake)
tandrel_scripted_ui_test(win_recorder_file RecorderFileTest.cpp)
tandrel_scripted_ui_test(win_save_flow SaveFlowTest.cpp)

# The save flow with the real dialogs (the user-interface objects), answered from a thread.
tandrel_real_dialogs_test(win_save_flow_real_dialogs SaveFlowRealDialogsTest.cpp)

# What the recorder keeps: a short write (a write of its own in place of the real one), the
# writes at least once a second, and the leftover of an earlier recording.
tandrel_win_test(win_recorder_keeps SOURCES RecorderKeepsTest.cpp ${scriptedUiTestFakes}
  ONLY recording_win library_win)

# The control of each press: real windows with child controls, noted as the hook thread notes
# them, recorded by the real recorder, the file read back.
tandrel_win_test(win_recorder_controls
  SOURCES RecorderControlTest.cpp ${PROJECT_SOURCE_DIR}/src/hooks/EventWindow.cpp ${TEST_SUPPORT}/WindowHelpers.cpp
          ${scriptedUiTestFakes}
  ONLY recording_win recording_file_write_win library_win)
