# The window callback alone, against recording fakes of everything it calls.
tandrel_win_test(win_main_window_callback NO_OBJECTS
  SOURCES MainWindowCallbackTest.cpp ${PROJECT_SOURCE_DIR}/src/app/MainWindowCallback.cpp)
