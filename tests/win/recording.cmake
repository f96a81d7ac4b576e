# The recorder and the save flow under Wine, with a scripted clock and scripted dialogs in
# place of every other part of the program.
if(WIN32)
  get_property(recordingTestAllObjects GLOBAL PROPERTY TANDREL_WIN_OBJECTS)
  set(recordingTestOthers ${recordingTestAllObjects})
  list(REMOVE_ITEM recordingTestOthers recording_win library_win)
  set(recordingTestFakes fakes/FakeUi.cpp fakes/FakeClock.cpp fakes/TempWorkingFolder.cpp)

  tandrel_win_test(win_recorder_file SOURCES RecorderFileTest.cpp ${recordingTestFakes}
    WITHOUT ${recordingTestOthers})
  tandrel_win_test(win_save_flow SOURCES SaveFlowTest.cpp ${recordingTestFakes}
    WITHOUT ${recordingTestOthers})
endif()

# The save flow with the real dialogs (the user-interface objects), answered from a thread.
if(WIN32)
  set(recordingRealUiOthers ${recordingTestAllObjects})
  list(REMOVE_ITEM recordingRealUiOthers recording_win library_win recording_clock_win ui_win)
  tandrel_win_test(win_save_flow_real_dialogs
    SOURCES SaveFlowRealDialogsTest.cpp fakes/DialogScript.cpp fakes/TempWorkingFolder.cpp
            ${PROJECT_SOURCE_DIR}/src/ui/Tandrel.rc
    WITHOUT ${recordingRealUiOthers})
  set_tests_properties(win_save_flow_real_dialogs PROPERTIES TIMEOUT 180)
endif()
