# What the tests of the recorder, the save flow and the library share (library.cmake and
# recording.cmake include it): each test works on the real file system in a working folder of
# its own, with scripted dialogs, clock and list in place of the rest of the program, or with
# the program's real dialogs answered from a thread.
include_guard(DIRECTORY)
set(scriptedUiTestFakes ${TEST_SUPPORT}/FakeUi.cpp ${TEST_SUPPORT}/FakeClock.cpp ${TEST_SUPPORT}/TempWorkingFolder.cpp
    ${TEST_SUPPORT}/FileHelpers.cpp)

# tandrel_scripted_ui_test(name source.cpp): the recorder and the library with those fakes.
function(tandrel_scripted_ui_test name source)
  tandrel_win_test(${name} SOURCES ${source} ${scriptedUiTestFakes}
    ONLY recording_win recording_file_write_win library_win)
endfunction()

# tandrel_real_dialogs_test(name source.cpp): the recorder, the library and the user-interface
# objects with the program's resources; the dialog driver answers.
function(tandrel_real_dialogs_test name source)
  tandrel_win_test(${name}
    SOURCES ${source} ${TEST_SUPPORT}/DialogDriver.cpp ${TEST_SUPPORT}/WindowHelpers.cpp
            ${TEST_SUPPORT}/TempWorkingFolder.cpp ${TEST_SUPPORT}/FileHelpers.cpp
            ${PROJECT_SOURCE_DIR}/src/ui/Tandrel.rc
    ONLY recording_win recording_file_write_win library_win core_clock_win ui_win)
endfunction()
