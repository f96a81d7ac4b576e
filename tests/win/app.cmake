# The window callback alone, against recording fakes of everything it calls; its two boxes are
# answered by the dialog driver.
tandrel_win_test(win_main_window_callback NO_OBJECTS
  SOURCES MainWindowCallbackTest.cpp ${PROJECT_SOURCE_DIR}/src/app/MainWindowCallback.cpp
          ${TEST_SUPPORT}/DialogDriver.cpp ${TEST_SUPPORT}/WindowHelpers.cpp ${TEST_SUPPORT}/CallbackTimedEventFakes.cpp)
# Start-up against fakes of everything it calls.
tandrel_win_test(win_startup NO_OBJECTS SOURCES StartupTest.cpp ${PROJECT_SOURCE_DIR}/src/app/Startup.cpp
  ${PROJECT_SOURCE_DIR}/src/app/LeaveWithError.cpp)
# The run log's file with two processes (the test program itself) appending and rotating at once.
tandrel_win_test(win_run_log_rotation NO_OBJECTS
  SOURCES RunLogRotationTest.cpp ${PROJECT_SOURCE_DIR}/src/app/RunLogAppend.cpp
          ${PROJECT_SOURCE_DIR}/src/app/RunLogLine.cpp ${TEST_SUPPORT}/FileHelpers.cpp)
if(TARGET win_run_log_rotation)
  set_tests_properties(win_run_log_rotation PROPERTIES TIMEOUT 300)
endif()
# One Tandrel per desktop with the real pipes, against processes of the test program itself.
tandrel_win_test(win_single_instance NO_OBJECTS
  SOURCES SingleInstanceTest.cpp ${PROJECT_SOURCE_DIR}/src/app/SingleInstance.cpp
          ${TEST_SUPPORT}/TempWorkingFolder.cpp)
