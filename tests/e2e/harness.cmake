# The end-to-end harness: the input-target window and the window probe (both Windows
# programs, run under Wine by the driver tests/e2e/tandrel_e2e.py), and the e2e tests.
if(NOT WIN32)
  return()
endif()

set(TANDREL_E2E_BIN ${CMAKE_BINARY_DIR}/e2e)

add_executable(TandrelFixture WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/TandrelFixture.cpp
                               ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/FixtureLog.cpp)
target_link_libraries(TandrelFixture PRIVATE user32 gdi32 shell32 kernel32)

add_executable(TandrelProbe ${CMAKE_CURRENT_SOURCE_DIR}/probe/TandrelProbe.cpp)
target_link_libraries(TandrelProbe PRIVATE user32 shell32 kernel32)

tandrel_output_to(${TANDREL_E2E_BIN} TandrelFixture TandrelProbe)

tandrel_e2e_test(e2e_harness_selfcheck test_harness_selfcheck.py)
tandrel_e2e_test(e2e_unattended_playback test_unattended_playback.py)
tandrel_e2e_test(e2e_startup_messages test_startup_messages.py)
tandrel_e2e_test(e2e_main_window test_main_window.py)
