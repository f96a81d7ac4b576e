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
