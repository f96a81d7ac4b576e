# The recordings library under Wine on the real file system, with scripted dialogs and list.
if(WIN32)
  get_property(libraryTestAllObjects GLOBAL PROPERTY TANDREL_WIN_OBJECTS)
  set(libraryTestOthers ${libraryTestAllObjects})
  list(REMOVE_ITEM libraryTestOthers recording_win library_win)
  set(libraryTestFakes fakes/FakeUi.cpp fakes/FakeClock.cpp fakes/TempWorkingFolder.cpp)

  tandrel_win_test(win_records_folder SOURCES RecordsFolderTest.cpp ${libraryTestFakes}
    WITHOUT ${libraryTestOthers})
  tandrel_win_test(win_library_list SOURCES LibraryListTest.cpp ${libraryTestFakes}
    WITHOUT ${libraryTestOthers})
  tandrel_win_test(win_library_actions SOURCES LibraryActionsTest.cpp ${libraryTestFakes}
    WITHOUT ${libraryTestOthers})
endif()

# Rename and remove with the real main window and dialogs, answered from a thread.
if(WIN32)
  set(libraryRealUiOthers ${libraryTestAllObjects})
  list(REMOVE_ITEM libraryRealUiOthers recording_win library_win recording_clock_win ui_win)
  tandrel_win_test(win_library_real_dialogs
    SOURCES LibraryRealDialogsTest.cpp fakes/DialogScript.cpp fakes/TempWorkingFolder.cpp
            ${PROJECT_SOURCE_DIR}/src/ui/Tandrel.rc
    WITHOUT ${libraryRealUiOthers})
  set_tests_properties(win_library_real_dialogs PROPERTIES TIMEOUT 180)
endif()
