# The window callback alone, against recording fakes of everything it calls.
if(WIN32)
  add_executable(win_main_window_callback
    MainWindowCallbackTest.cpp
    ${PROJECT_SOURCE_DIR}/src/app/MainWindowCallback.cpp)
  target_include_directories(win_main_window_callback PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(win_main_window_callback PRIVATE app_pure GTest::gtest_main ${TANDREL_WIN_SYSTEM_LIBS})
  add_test(NAME win_main_window_callback COMMAND win_main_window_callback)
  set_tests_properties(win_main_window_callback PROPERTIES LABELS win RESOURCE_LOCK wine)
endif()
