# The recordings library under Wine on the real file system, with scripted dialogs and list.
include(${CMAKE_CURRENT_LIST_DIR}/file-flows.cmake)
tandrel_scripted_ui_test(win_records_folder RecordsFolderTest.cpp)
tandrel_scripted_ui_test(win_library_list LibraryListTest.cpp)
tandrel_scripted_ui_test(win_library_actions LibraryActionsTest.cpp)

# Rename and remove with the real main window and dialogs, answered from a thread.
tandrel_real_dialogs_test(win_library_real_dialogs LibraryRealDialogsTest.cpp)
# A device name at naming and rename, against an existence test that answers as Windows does.
tandrel_win_test(win_device_names NO_OBJECTS
  SOURCES DeviceNameTest.cpp ${scriptedUiTestFakes} ${PROJECT_SOURCE_DIR}/src/recording/SaveFlow.cpp
          ${PROJECT_SOURCE_DIR}/src/library/RenameRecording.cpp ${PROJECT_SOURCE_DIR}/src/library/RecordingsList.cpp
          ${PROJECT_SOURCE_DIR}/src/library/ActivityHold.cpp)
