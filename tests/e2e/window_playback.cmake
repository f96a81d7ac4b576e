# Playback that finds its window: the ordinary window the tests record in and play into, and
# the tests.
if(NOT WIN32)
  return()
endif()

add_executable(WindowFixture WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/WindowFixture.cpp
                              ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/FixtureLog.cpp)
target_link_libraries(WindowFixture PRIVATE user32 shell32 kernel32)
tandrel_output_to(${CMAKE_BINARY_DIR}/e2e WindowFixture)

tandrel_e2e_test(e2e_window_playback test_window_playback.py)
