# The recordings library under Wine on the real file system, with scripted dialogs and list.
set(libraryTestFakes ${TEST_SUPPORT}/FakeUi.cpp ${TEST_SUPPORT}/FakeClock.cpp ${TEST_SUPPORT}/TempWorkingFolder.cpp
    ${TEST_SUPPORT}/FileHelpers.cpp)
tandrel_win_test(win_records_folder SOURCES RecordsFolderTest.cpp ${libraryTestFakes}
  ONLY recording_win recording_file_write_win library_win)
tandrel_win_test(win_library_list SOURCES LibraryListTest.cpp ${libraryTestFakes}
  ONLY recording_win recording_file_write_win library_win)
tandrel_win_test(win_library_actions SOURCES LibraryActionsTest.cpp ${libraryTestFakes}
  ONLY recording_win recording_file_write_win library_win)

# Rename and remove with the real main window and dialogs, answered from a thread.
tandrel_win_test(win_library_real_dialogs
  SOURCES LibraryRealDialogsTest.cpp ${TEST_SUPPORT}/DialogDriver.cpp ${TEST_SUPPORT}/WindowHelpers.cpp
          ${TEST_SUPPORT}/TempWorkingFolder.cpp ${TEST_SUPPORT}/FileHelpers.cpp
          ${PROJECT_SOURCE_DIR}/src/ui/Tandrel.rc
  ONLY recording_win recording_file_write_win library_win core_clock_win ui_win)
# A device name at naming and rename, against an existence test that answers as Windows does.
tandrel_win_test(win_device_names NO_OBJECTS
  SOURCES DeviceNameTest.cpp ${libraryTestFakes} ${PROJECT_SOURCE_DIR}/src/recording/SaveFlow.cpp
          ${PROJECT_SOURCE_DIR}/src/library/RenameRecording.cpp ${PROJECT_SOURCE_DIR}/src/library/RecordingsList.cpp
          ${PROJECT_SOURCE_DIR}/src/library/ActivityHold.cpp)
