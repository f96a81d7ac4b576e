# Input through the hooks as the shipped program records it: X buttons and the horizontal
# wheel in order among other input, the delays, a recording that survives a kill, and messages
# from other programs that change nothing.
if(NOT WIN32)
  return()
endif()

add_executable(PostToWindows WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/PostToWindows.cpp)
target_link_libraries(PostToWindows PRIVATE user32 shell32 kernel32)
add_executable(HoldFile WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/fixtures/HoldFile.cpp)
target_link_libraries(HoldFile PRIVATE user32 shell32 kernel32)
tandrel_output_to(${CMAKE_BINARY_DIR}/e2e PostToWindows HoldFile)

tandrel_e2e_test(e2e_hook_events test_hook_events.py)
