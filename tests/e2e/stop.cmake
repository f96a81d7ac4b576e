# Stop means stop: F9 during a long pause of a playback (unattended and from the window), a
# close request and the end of the session during a playback that holds a key, the end of
# the session during a recording, and a recording on a full disk.
if(NOT WIN32)
  return()
endif()

add_executable(SendToWindow WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/SendToWindow.cpp)
target_link_libraries(SendToWindow PRIVATE user32 shell32 kernel32)
tandrel_output_to(${CMAKE_BINARY_DIR}/e2e SendToWindow)

tandrel_e2e_test(e2e_stop_playback test_stop_playback.py)
tandrel_e2e_test(e2e_stop_recording test_stop_recording.py)
